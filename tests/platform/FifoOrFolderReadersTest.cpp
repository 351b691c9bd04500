// Readers given a FIFO or a folder where a file belongs: the players' and
// records' files, the design script, the manifest, sounds and songs. Each refuses it at once
// instead of blocking (a FIFO without a writer never ends a blocking open)
// or reading a folder as an empty file. A watchdog ends the test program
// if a reader blocks.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "framework/app/XmlParser.h"
#include "framework/sound/SoundDecoders.h"
#include "framework/sound/StreamDecoder.h"
#include "src/profiles/ProfileFile.h"
#include "src/records/HighScoreTables.h"
#include "src/script/DesignScript.h"
#include "support/TestTemp.h"

namespace
{

namespace fs = std::filesystem;

class FifoOrFolderReadersTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        const fs::path folder = TestSupport::TestTempDir("special");
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = folder / "file";
        if (GetParam())
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        else
            fs::create_directories(path);
        alarm(20); // a blocked reader ends the program (SIGALRM) instead of the suite's time limit
    }
    void TearDown() override { alarm(0); }

    fs::path path;
};

TEST_P(FifoOrFolderReadersTest, PlayersAndRecordsReadAsNothingAndAnAppendIsRefused)
{
    const ProfileFile profiles(path);
    EXPECT_TRUE(profiles.Load().empty());
    PlayerRecord record;
    ASSERT_TRUE(record.SetName("Ada"));
    EXPECT_FALSE(profiles.Append(record));
    EXPECT_FALSE(profiles.LastError().empty());

    HighScoreTables tables;
    EXPECT_FALSE(tables.LoadRecords(path));
}

TEST_P(FifoOrFolderReadersTest, TheDesignScriptFailsLikeAScriptThatCannotBeLoaded)
{
    EXPECT_FALSE(DesignScript::CallDesignFunction("CalcScore", 3, DesignScript::Answer::Number, path.string()));
    EXPECT_EQ(DesignScript::CalcScore(3, path.string()), 0);
}

TEST_P(FifoOrFolderReadersTest, TheManifestSoundsAndSongsAreRefused)
{
    Framework::XMLParser parser;
    EXPECT_FALSE(parser.OpenFile(path.string()));
    EXPECT_FALSE(Framework::DecodeOggFile(path.string()).has_value());
    EXPECT_FALSE(Framework::LoadAuFile(path.string()).has_value());
    EXPECT_EQ(Framework::OpenStreamDecoder(path.string()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(FifoOrFolder, FifoOrFolderReadersTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "Fifo" : "Folder"; });

} // namespace
