#include <gtest/gtest.h>

#include <string>

#include "framework/platform/TextConverter.h"

using Framework::TextConverter;

namespace
{

size_t OneByte(const std::string&, size_t)
{
    return 1;
}

// "中文" in GBK and in UTF-8.
const std::string GbkChinese = "\xD6\xD0\xCE\xC4";
const std::string Utf8Chinese = "\xE4\xB8\xAD\xE6\x96\x87";

} // namespace

TEST(TextConverter, ConvertsBothWaysAndRefusesWhatDoesNotConvert)
{
    TextConverter toUtf8("UTF-8", "GBK");
    TextConverter toGbk("GBK", "UTF-8");
    ASSERT_TRUE(toUtf8.Valid());
    std::string out;
    ASSERT_TRUE(toUtf8.Convert("a" + GbkChinese, out));
    EXPECT_EQ(out, "a" + Utf8Chinese);
    ASSERT_TRUE(toGbk.Convert(out, out));
    EXPECT_EQ(out, "a" + GbkChinese);
    // A lead byte without its trail, then a character GBK lacks.
    EXPECT_FALSE(toUtf8.Convert("\xD6", out));
    EXPECT_FALSE(toGbk.Convert("\xF0\x9F\x98\x80", out));
    // A failure leaves no state behind for the next conversion.
    ASSERT_TRUE(toUtf8.Convert(GbkChinese, out));
    EXPECT_EQ(out, Utf8Chinese);
}

TEST(TextConverter, SkippingDropsOnlyTheUnitsThatDoNotConvert)
{
    TextConverter toGbk("GBK", "UTF-8");
    EXPECT_EQ(toGbk.ConvertSkipping("a\xFF" "b", OneByte), "ab");
    EXPECT_EQ(toGbk.ConvertSkipping(std::string(300, 'x'), OneByte), std::string(300, 'x')) << "beyond one buffer";
    EXPECT_EQ(toGbk.ConvertSkipping("", OneByte), "");
}

TEST(TextConverter, AnUnknownEncodingIsInvalidAndConvertsNothing)
{
    TextConverter nowhere("NO-SUCH-ENCODING", "UTF-8");
    EXPECT_FALSE(nowhere.Valid());
    std::string out = "left";
    EXPECT_FALSE(nowhere.Convert("abc", out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(nowhere.ConvertSkipping("abc", OneByte), "");
}
