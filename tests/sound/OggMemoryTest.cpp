// The Ogg Vorbis readers' memory entries against the file ones, and a file
// whose last page announces far more than it holds.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/sound/SoundDecoders.h"
#include "framework/sound/StreamDecoder.h"
#include "sound/SoundTestFiles.h"
#include "support/TestTemp.h"

using namespace Framework;

namespace
{

const uint8_t* Bytes(const std::string& s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}

std::vector<int16_t> ReadAll(StreamDecoder& d)
{
    std::vector<int16_t> all;
    std::vector<int16_t> piece(2 * 777);
    int32_t got = 0;
    while ((got = d.Read(piece.data(), 777)) > 0)
    {
        all.insert(all.end(), piece.begin(), piece.begin() + 2 * got);
    }
    return all;
}

} // namespace

TEST(OggMemoryTest, MemoryEntriesDecodeAsTheFileOnesAndRefuseWhatTheyRefuse)
{
    const auto dir = TestSupport::TestTempDir();
    SoundTest::WriteOgg(dir / "mono.ogg", SoundTest::Ramp(20000, 1), 1, 22050);
    const std::string bytes = SoundTest::ReadFile(dir / "mono.ogg");

    auto fromFile = DecodeOggFile((dir / "mono.ogg").string());
    auto fromMemory = DecodeOgg(Bytes(bytes), bytes.size());
    ASSERT_TRUE(fromFile && fromMemory);
    EXPECT_EQ(fromMemory->channels, 1);
    EXPECT_EQ(fromMemory->rate, 22050);
    EXPECT_EQ(fromMemory->samples, fromFile->samples);

    auto fileStream = OpenStreamDecoder((dir / "mono.ogg").string());
    auto memoryStream = OpenOggStreamDecoder(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_TRUE(fileStream && memoryStream);
    EXPECT_EQ(memoryStream->TotalFrames(), 20000);
    const auto all = ReadAll(*memoryStream);
    EXPECT_EQ(all, ReadAll(*fileStream));
    ASSERT_EQ(all.size(), 40000u);
    ASSERT_TRUE(memoryStream->Seek(12345));
    std::vector<int16_t> piece(2 * 10);
    ASSERT_EQ(memoryStream->Read(piece.data(), 10), 10);
    EXPECT_TRUE(std::equal(piece.begin(), piece.end(), all.begin() + 2 * 12345));

    EXPECT_FALSE(DecodeOgg(Bytes(bytes), bytes.size() / 2));
    EXPECT_FALSE(DecodeOgg(nullptr, 0));
    EXPECT_FALSE(OpenOggStreamDecoder({}));
    const std::string junk = "OggS but not really";
    EXPECT_FALSE(OpenOggStreamDecoder(std::vector<uint8_t>(junk.begin(), junk.end())));
}

TEST(OggMemoryTest, ALastPageAnnouncingAnHourIsStreamedAsAnnouncedButFailsTheWholeLoad)
{
    const auto dir = TestSupport::TestTempDir();
    SoundTest::WriteOgg(dir / "short.ogg", SoundTest::Ramp(4000, 2), 2, 44100);
    std::string bytes = SoundTest::ReadFile(dir / "short.ogg");
    // The last page's granule position (bytes 6..13 of its header) claims
    // 59 minutes; its checksum is left wrong, so it is mended below.
    const auto pages = SoundTest::OggPages(bytes);
    ASSERT_GE(pages.size(), 2u);
    const size_t last = bytes.size() - pages.back().size();
    const int64_t claimed = int64_t(44100) * 60 * 59;
    std::memcpy(&bytes[last + 6], &claimed, 8);
    // Ogg's CRC-32 (polynomial 0x04C11DB7, no reflection) over the page with
    // its checksum field zeroed.
    std::memset(&bytes[last + 22], 0, 4);
    uint32_t crc = 0;
    for (size_t i = last; i < bytes.size(); ++i)
    {
        crc ^= uint32_t(uint8_t(bytes[i])) << 24;
        for (int b = 0; b < 8; ++b)
        {
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        }
    }
    std::memcpy(&bytes[last + 22], &crc, 4);

    auto stream = OpenOggStreamDecoder(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->TotalFrames(), claimed);
    EXPECT_FALSE(DecodeOgg(Bytes(bytes), bytes.size()));
}
