// The records file: round trips byte for byte, short and long files, text
// fields without a terminator, and saves that fail leaving the old file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "src/core/UserPaths.h"
#include "src/records/HighScoreTables.h"
#include "support/TestTemp.h"

namespace
{
bool failRenames = false;
}

// Link-time seam: the file-replacement helper renames through the C
// library's rename, which this test program overrides to make it fail.
extern "C" int rename(const char* from, const char* to) noexcept
{
    if (failRenames)
    {
        errno = EXDEV;
        return -1;
    }
    return renameat(AT_FDCWD, from, AT_FDCWD, to);
}

namespace
{

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

Bytes Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Store(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes FileOf(const HighScoreTables& records)
{
    Bytes bytes(HighScoreTables::FileBytes);
    records.Write(bytes.data());
    return bytes;
}

// Every place of every table filled, each entry different.
HighScoreTables Filled(int32_t base)
{
    HighScoreTables records;
    for (size_t t = 0; t < HighScoreTables::TableCount; ++t)
    {
        for (size_t p = 0; p < 10; ++p)
        {
            const int32_t n = base + int32_t(t * 10 + p);
            records.tables[t][p] = HighScoreEntry::Make(100000 - n, "n" + std::to_string(n),
                                                        "images\\avatar\\a" + std::to_string(n) + ".png", n % 16);
        }
    }
    return records;
}

class RecordsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = TestSupport::TestTempDir("records");
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = dir / "game.dat";
        failRenames = false;
    }
    void TearDown() override { failRenames = false; }

    // Saves `old`, then tries `next`, which must fail and leave no trace.
    void ExpectFailedSaveLeavesOld(const std::string& reason)
    {
        EXPECT_FALSE(next.SaveRecords(file));
        EXPECT_EQ(next.LastError(), reason);
        EXPECT_EQ(Read(file), oldBytes);
        EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
    }

    void SaveOld()
    {
        HighScoreTables old = Filled(0);
        ASSERT_TRUE(old.SaveRecords(file)) << old.LastError();
        oldBytes = Read(file);
        ASSERT_EQ(oldBytes.size(), HighScoreTables::FileBytes);
    }

    fs::path dir;
    fs::path file;
    Bytes oldBytes;
    HighScoreTables next = Filled(500);
};

TEST_F(RecordsFileTest, ASavedFileHoldsTheTablesAndLoadsBackByteForByte)
{
    HighScoreTables records = Filled(0);
    records.tables[3][2].score = -7;
    records.tables[11][9].stage = 15;
    ASSERT_TRUE(records.SaveRecords(file));
    const Bytes bytes = Read(file);
    ASSERT_EQ(bytes.size(), 18720u);
    EXPECT_EQ(bytes, FileOf(records));
    // Entry (3, 2) at 3 * 1560 + 2 * 156, little-endian.
    EXPECT_EQ(bytes[4992], 0xF9);
    EXPECT_EQ(bytes[4995], 0xFF);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[4996])), "n32");
    EXPECT_EQ(bytes[11 * 1560 + 9 * 156 + 152], 15);

    HighScoreTables loaded;
    ASSERT_TRUE(loaded.LoadRecords(file));
    EXPECT_EQ(FileOf(loaded), bytes);
    ASSERT_TRUE(loaded.SaveRecords(file));
    EXPECT_EQ(Read(file), bytes);
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

TEST_F(RecordsFileTest, AMissingFileLeavesTheTablesAndTheDefaultPathIsBesideTheProfiles)
{
    HighScoreTables records = Filled(0);
    const Bytes before = FileOf(records);
    EXPECT_FALSE(records.LoadRecords(file));
    EXPECT_EQ(FileOf(records), before);

    setenv("XDG_DATA_HOME", dir.c_str(), 1);
    EXPECT_EQ(Game::RecordsPath(), Game::ProfilesPath().parent_path() / "game.dat");
    EXPECT_EQ(Game::RecordsPath(), dir / "frothwick" / "data" / "game.dat");
    ASSERT_TRUE(records.SaveRecords()) << "the folder is made";
    HighScoreTables loaded;
    ASSERT_TRUE(loaded.LoadRecords());
    EXPECT_EQ(FileOf(loaded), before);
}

TEST_F(RecordsFileTest, AShortFileLeavesWhatItDoesNotReachAndALongOneIsReadToItsTables)
{
    const HighScoreTables fresh = Filled(1000);
    Bytes bytes = FileOf(fresh);
    bytes.resize(1000);
    Store(file, bytes);
    HighScoreTables records = Filled(0);
    const HighScoreTables old = records;
    ASSERT_TRUE(records.LoadRecords(file));
    for (size_t p = 0; p < 6; ++p)
    {
        EXPECT_EQ(std::memcmp(&records.tables[0][p], &fresh.tables[0][p], HighScoreEntry::Size), 0) << p;
    }
    // Entry 6 is cut after 64 bytes: its score, name and the first 40 bytes
    // of the avatar path (the whole new path) come from the file.
    EXPECT_EQ(records.tables[0][6].score, fresh.tables[0][6].score);
    EXPECT_EQ(records.tables[0][6].GetName(), fresh.tables[0][6].GetName());
    EXPECT_EQ(records.tables[0][6].GetAvatar(), fresh.tables[0][6].GetAvatar());
    EXPECT_EQ(records.tables[0][6].stage, old.tables[0][6].stage);
    EXPECT_EQ(std::memcmp(&records.tables[0][7], &old.tables[0][7], 3 * HighScoreEntry::Size), 0);
    EXPECT_EQ(std::memcmp(&records.tables[1], &old.tables[1], 11 * sizeof(HighScoreTable)), 0);

    bytes = FileOf(fresh);
    Bytes longer = bytes;
    longer.resize(20000, 0x7A);
    Store(file, longer);
    records = Filled(0);
    ASSERT_TRUE(records.LoadRecords(file));
    EXPECT_EQ(FileOf(records), bytes);
    ASSERT_TRUE(records.SaveRecords(file));
    EXPECT_EQ(Read(file), bytes) << "saved at its own size";
}

TEST_F(RecordsFileTest, UnterminatedTextsAreTheWholeFieldAndBytesAfterATerminatorAreWrittenAsZeros)
{
    Bytes bytes(HighScoreTables::FileBytes, 0);
    for (size_t e = 0; e < 120; ++e)
    {
        unsigned char* entry = &bytes[e * 156];
        entry[0] = static_cast<unsigned char>(e + 1);
        std::memset(entry + 4, 'N', 20);
        std::memset(entry + 24, 'A', 128);
        entry[152] = 0xFF; // a stage right after the avatar field, never read as text
        entry[153] = 0xFF;
        entry[154] = 0xFF;
        entry[155] = 0x7F;
    }
    // Table 1 place 0: texts with junk after their terminators.
    std::memcpy(&bytes[1560 + 4], "Bo\0junkjunk", 11);
    std::memcpy(&bytes[1560 + 24], "p.png\0leftover", 14);
    Store(file, bytes);

    HighScoreTables records;
    ASSERT_TRUE(records.LoadRecords(file));
    EXPECT_EQ(records.tables[0][0].GetName(), std::string(20, 'N'));
    EXPECT_EQ(records.tables[0][0].GetAvatar(), std::string(128, 'A'));
    EXPECT_EQ(records.tables[0][0].stage, 0x7FFFFFFF);
    EXPECT_EQ(records.tables[1][0].GetName(), "Bo");
    EXPECT_EQ(records.tables[1][0].GetAvatar(), "p.png");

    // Moves copy whole fields.
    EXPECT_EQ(HighScoreTables::InsertRecord(records.tables[0], HighScoreEntry::Make(200, "Top", "t.png", 1)), 0);
    EXPECT_EQ(records.tables[0][1].GetName(), std::string(20, 'N'));
    EXPECT_EQ(records.tables[0][1].GetAvatar(), std::string(128, 'A'));

    ASSERT_TRUE(records.SaveRecords(file));
    const Bytes saved = Read(file);
    ASSERT_EQ(saved.size(), bytes.size());
    Bytes expected = bytes;
    std::memset(&expected[1560 + 4], 0, 148);
    std::memcpy(&expected[1560 + 4], "Bo", 2);
    std::memcpy(&expected[1560 + 24], "p.png", 5);
    // Table 0 went down by one place and "Top" came in at place 0.
    std::memmove(&expected[156], &expected[0], 9 * 156);
    HighScoreEntry::Make(200, "Top", "t.png", 1).Write(&expected[0]);
    EXPECT_EQ(saved, expected);
}

TEST_F(RecordsFileTest, AFolderInTheFilesPlaceFailsAndLeavesNoTemporary)
{
    fs::create_directories(file);
    EXPECT_FALSE(next.SaveRecords(file));
    EXPECT_EQ(next.LastError(), "Is a directory");
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

TEST_F(RecordsFileTest, AFailingRenameLeavesTheOldFileByteForByte)
{
    SaveOld();
    failRenames = true;
    ExpectFailedSaveLeavesOld("Invalid cross-device link");
    failRenames = false;
    ASSERT_TRUE(next.SaveRecords(file));
    EXPECT_EQ(Read(file), FileOf(next));
}

TEST_F(RecordsFileTest, AFileSizeLimitLeavesTheOldFileByteForByte)
{
    SaveOld();
    struct sigaction ignore = {}, old = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &old);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 10000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool ok = next.SaveRecords(file);
    const std::string reason = next.LastError();
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &old, nullptr);
    EXPECT_FALSE(ok);
    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(Read(file), oldBytes);
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

} // namespace
