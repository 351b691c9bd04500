#include <gtest/gtest.h>

#include "framework/platform/SdlPlatform.h"
#include "framework/platform/Clipboard.h"
#include "framework/widgets/GbkText.h"

using namespace Framework;

namespace
{

// "中文" in both encodings.
const std::string kGbk = "\xD6\xD0\xCE\xC4";
const std::string kUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";

} // namespace

TEST(GbkText, ConvertsChineseBothWays)
{
    EXPECT_EQ(GbkText::FromUtf8("a" + kUtf8 + "b"), "a" + kGbk + "b");
    EXPECT_EQ(GbkText::ToUtf8("a" + kGbk + "b"), "a" + kUtf8 + "b");
    EXPECT_EQ(GbkText::FromUtf8(""), "");
}

TEST(GbkText, DropsWhatTheOtherSideCannotHold)
{
    // An emoji has no GBK code; a broken UTF-8 byte is skipped alone.
    EXPECT_EQ(GbkText::FromUtf8("a\xF0\x9F\x98\x80" + kUtf8 + "\xC3"), "a" + kGbk);
    EXPECT_EQ(GbkText::FromUtf8("\xFF"
                                "b"),
              "b");
    // A lone lead byte at the end and an invalid pair.
    EXPECT_EQ(GbkText::ToUtf8("x\xD6"), "x");
    EXPECT_EQ(GbkText::ToUtf8("\x81\x20y"), "y");
}

TEST(GbkText, PositionsStepOverWholeCharacters)
{
    const std::string text = "a" + kGbk + "b\xD6"; // ends in a lone lead byte
    EXPECT_EQ(GbkText::SecondByteFlags(text), std::string("\0\0\1\0\1\0\0", 7));
    EXPECT_EQ(GbkText::NextCharPos(text, 0), 1);
    EXPECT_EQ(GbkText::NextCharPos(text, 1), 3);
    EXPECT_EQ(GbkText::NextCharPos(text, 2), 3) << "from inside a pair";
    EXPECT_EQ(GbkText::NextCharPos(text, 6), 7);
    EXPECT_EQ(GbkText::NextCharPos(text, 9), 7);
    EXPECT_EQ(GbkText::PrevCharPos(text, 5), 3);
    EXPECT_EQ(GbkText::PrevCharPos(text, 4), 1);
    EXPECT_EQ(GbkText::PrevCharPos(text, 0), 0);
    EXPECT_EQ(GbkText::CharStart(text, 4), 3);
    EXPECT_EQ(GbkText::CharStart(text, -3), 0);
}

TEST(GbkText, CutsAndFirstLinesKeepPairsWhole)
{
    EXPECT_EQ(GbkText::CutToBytes("a" + kGbk, 2), "a");
    EXPECT_EQ(GbkText::CutToBytes("a" + kGbk, 3), "a\xD6\xD0");
    EXPECT_EQ(GbkText::CutToBytes("abc", -1), "abc");
    EXPECT_EQ(GbkText::CutToBytes("abc", 0), "");
    EXPECT_EQ(GbkText::FirstLine("ab\ncd"), "ab");
    EXPECT_EQ(GbkText::FirstLine(kGbk + "\r\nx"), kGbk);
    EXPECT_EQ(GbkText::FirstLine("one"), "one");
}

TEST(SystemClipboard, RoundTripsChineseThroughSdl)
{
    SdlPlatform platform;
    std::string error;
    ASSERT_TRUE(platform.InitVideo(error)) << error;
    Clipboard& clipboard = SystemClipboard();
    ASSERT_TRUE(clipboard.SetText(GbkText::ToUtf8("name " + kGbk)));
    EXPECT_EQ(GbkText::FromUtf8(clipboard.GetText()), "name " + kGbk);
}
