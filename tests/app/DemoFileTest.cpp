#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/app/DemoFile.h"

using namespace Framework;

namespace
{

DemoHeader SampleHeader()
{
    DemoHeader h;
    h.programVersion = "1.00";
    h.date = 1765000000;
    h.refreshRate = 60;
    h.seeds = {0x123456789ABCDEF0ull, 4242};
    h.name = "Frothwick";
    h.dataFiles = {{"script/design.lua", 1234, 0xDEADBEEF}, {"data/air01.dat", 99, 7}};
    h.state = {{"settings", {'a', 'b', 0, 'c'}, true}, {"data/game.dat", {}, false}};
    return h;
}

std::vector<DemoRecord> SampleRecords()
{
    InputEvent press;
    press.type = InputEvent::Type::MouseDown;
    press.x = 400;
    press.y = -3;
    press.clickCount = -2;
    WindowEvent focus;
    focus.type = WindowEvent::Type::FocusLost;
    DemoCheckpoint c;
    c.update = 3;
    c.mode = 101;
    c.stage = 30004;
    c.score = -5;
    c.gridCrc = 0xFFFFFFFF;
    c.shot = 6;
    c.next = 1;
    return {DemoRecord::Updates(2),
            DemoRecord::Smooth(1.0 / 0.6),
            DemoRecord::Draw(),
            DemoRecord::Input(press),
            DemoRecord::Window(focus),
            DemoRecord::Loaded(),
            DemoRecord::Updates(1),
            DemoRecord::Answer(DemoAnswer::Minute, 29416666),
            DemoRecord::Answer(DemoAnswer::Paste, 1, std::string("gbk \xC4\xE3 text\0!", 14)),
            DemoRecord::Checkpoint(c),
            DemoRecord::End(3, 1, 1)};
}

std::vector<uint8_t> Chunk(const std::vector<DemoRecord>& records)
{
    std::vector<uint8_t> body;
    for (const DemoRecord& r : records)
    {
        EncodeDemoRecord(r, body);
    }
    std::vector<uint8_t> out(8);
    const uint32_t n = static_cast<uint32_t>(body.size());
    const uint32_t crc = DemoCrc32(body);
    std::memcpy(out.data(), &n, 4);
    std::memcpy(out.data() + 4, &crc, 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::string ReadError(const std::vector<uint8_t>& bytes)
{
    DemoContent content;
    std::string error;
    EXPECT_FALSE(ReadDemo(bytes, content, error));
    return error;
}

TEST(DemoFileTest, HeaderAndEveryKindOfRecordComeBackAsWritten)
{
    const std::vector<uint8_t> bytes = WriteDemo(SampleHeader(), SampleRecords());
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 14), "FROTHWICK-DEMO");
    EXPECT_EQ(bytes[14], 1);
    EXPECT_EQ(bytes[15], 0) << "the version is little-endian";

    DemoContent content;
    std::string error;
    ASSERT_TRUE(ReadDemo(bytes, content, error)) << error;
    EXPECT_EQ(content.header, SampleHeader());
    EXPECT_EQ(content.records, SampleRecords());
    EXPECT_TRUE(content.hasEnd);
    EXPECT_EQ(content.cutAt, 0u);
}

// Runs of updates merge; a long run of events is split into chunks that each
// stay within 64 KiB, none of them splitting a record.
TEST(DemoFileTest, TheWriterMergesUpdatesAndKeepsChunksWithinTheirLimit)
{
    DemoWriter writer;
    std::vector<DemoRecord> expected;
    for (int i = 0; i < 5; ++i)
    {
        writer.Add(DemoRecord::Updates(1));
    }
    expected.push_back(DemoRecord::Updates(5));
    InputEvent move;
    for (int i = 0; i < 40000; ++i)
    {
        move.x = i;
        move.y = -i;
        writer.Add(DemoRecord::Input(move));
        expected.push_back(DemoRecord::Input(move));
    }
    std::vector<uint8_t> bytes = EncodeDemoHeader(SampleHeader());
    const std::vector<uint8_t> chunks = writer.TakeChunk();
    EXPECT_TRUE(writer.Empty());
    size_t at = 0;
    int count = 0;
    while (at < chunks.size())
    {
        uint32_t length = 0;
        std::memcpy(&length, chunks.data() + at, 4);
        EXPECT_LE(length, DemoMaxChunkBytes);
        at += 8 + length;
        ++count;
    }
    EXPECT_GE(count, 4);
    bytes.insert(bytes.end(), chunks.begin(), chunks.end());
    DemoContent content;
    std::string error;
    ASSERT_TRUE(ReadDemo(bytes, content, error)) << error;
    EXPECT_EQ(content.records, expected);
    EXPECT_FALSE(content.hasEnd);
}

// A file cut anywhere is refused with a reason (inside the header) or reads
// as the whole chunks before the cut, saying where it was cut.
TEST(DemoFileTest, ADemoCutAtEveryByteIsRefusedOrPlayableToItsLastWholeChunk)
{
    DemoWriter writer;
    const std::vector<DemoRecord> records = SampleRecords();
    std::vector<uint8_t> bytes = EncodeDemoHeader(SampleHeader());
    const size_t headerBytes = bytes.size();
    std::vector<size_t> chunkEnds;
    for (const DemoRecord& r : records)
    {
        writer.Add(r);
        const std::vector<uint8_t> chunk = writer.TakeChunk();
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        if (!chunk.empty())
        {
            chunkEnds.push_back(bytes.size());
        }
    }
    for (size_t cut = 0; cut < bytes.size(); ++cut)
    {
        const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        DemoContent content;
        std::string error;
        const bool ok = ReadDemo(part, content, error);
        if (cut < headerBytes)
        {
            EXPECT_FALSE(ok) << "cut at " << cut;
            EXPECT_FALSE(error.empty());
            continue;
        }
        ASSERT_TRUE(ok) << "cut at " << cut << ": " << error;
        size_t whole = 0;
        for (size_t end : chunkEnds)
        {
            whole += end <= cut ? 1 : 0;
        }
        const bool atBoundary = cut == headerBytes || (whole > 0 && chunkEnds[whole - 1] == cut);
        EXPECT_EQ(content.cutAt == 0, atBoundary) << "cut at " << cut;
        EXPECT_EQ(content.records.size(), whole) << "one record per chunk here";
        EXPECT_FALSE(content.hasEnd);
        EXPECT_LE(content.records.size(), records.size());
        for (size_t i = 0; i < content.records.size(); ++i)
        {
            EXPECT_EQ(content.records[i], records[i]);
        }
    }
}

TEST(DemoFileTest, ForeignNewerAndDamagedFilesAreRefusedWithTheReason)
{
    const std::vector<uint8_t> good = WriteDemo(SampleHeader(), SampleRecords());
    const size_t chunkAt = EncodeDemoHeader(SampleHeader()).size();

    std::vector<uint8_t> bytes = good;
    bytes[0] = 'X';
    EXPECT_NE(ReadError(bytes).find("not a Frothwick demo"), std::string::npos);

    bytes = good;
    bytes[14] = 2;
    EXPECT_EQ(ReadError(bytes), "its format version 2 is newer than this program's 1");

    bytes = good;
    bytes[30] ^= 0x40; // inside the header
    EXPECT_NE(ReadError(bytes).find("header (bytes 20 to"), std::string::npos);

    bytes = good;
    bytes[chunkAt + 10] ^= 1;
    EXPECT_EQ(ReadError(bytes),
              "the chunk at byte " + std::to_string(chunkAt) + " is damaged: its CRC-32 does not match");

    bytes = good;
    bytes[chunkAt + 3] = 0x7F; // a chunk of about 2 GB
    EXPECT_NE(ReadError(bytes).find("absurd length"), std::string::npos);

    bytes = good;
    bytes[19] = 0x7F; // a header of about 2 GB
    EXPECT_EQ(ReadError(bytes), "the header's length is absurd");
}

TEST(DemoFileTest, RecordsThatMakeNoSenseAreRefused)
{
    const std::vector<uint8_t> header = EncodeDemoHeader(SampleHeader());
    const auto withChunk = [&](const std::vector<uint8_t>& chunk)
    {
        std::vector<uint8_t> bytes = header;
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        return bytes;
    };
    DemoCheckpoint late;
    late.update = 10;
    DemoCheckpoint early;
    early.update = 4;
    EXPECT_NE(ReadError(withChunk(Chunk(
                            {DemoRecord::Updates(10), DemoRecord::Checkpoint(late), DemoRecord::Checkpoint(early)})))
                  .find("the update numbers go back (4 after 10)"),
              std::string::npos);
    EXPECT_NE(ReadError(withChunk(Chunk({DemoRecord::Updates(3), DemoRecord::End(5, 0, 0)})))
                  .find("names update 5 after 3 updates"),
              std::string::npos);
    EXPECT_NE(
        ReadError(withChunk(Chunk({DemoRecord::End(0, 0, 0), DemoRecord::Draw()}))).find("follows the end record"),
        std::string::npos);
    EXPECT_NE(ReadError(withChunk(Chunk({DemoRecord::Updates(0)}))).find("zero updates"), std::string::npos);

    // A kind nobody knows, and an answer whose text claims 4 GB.
    std::vector<uint8_t> body = {0x33};
    std::vector<uint8_t> framed(8);
    uint32_t n = 1;
    uint32_t crc = DemoCrc32(body);
    std::memcpy(framed.data(), &n, 4);
    std::memcpy(framed.data() + 4, &crc, 4);
    framed.insert(framed.end(), body.begin(), body.end());
    EXPECT_NE(ReadError(withChunk(framed)).find("unknown record kind 51"), std::string::npos);

    body = {7, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F};
    n = static_cast<uint32_t>(body.size());
    crc = DemoCrc32(body);
    framed.assign(8, 0);
    std::memcpy(framed.data(), &n, 4);
    std::memcpy(framed.data() + 4, &crc, 4);
    framed.insert(framed.end(), body.begin(), body.end());
    EXPECT_NE(ReadError(withChunk(framed)).find("absurdly long"), std::string::npos);
}

} // namespace
