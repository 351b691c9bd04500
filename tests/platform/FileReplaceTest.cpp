// The atomic replace and the guarded read: what a save leaves beside the
// file (nothing, whatever an earlier killed save left), the order of its
// steps as the test seam sees them, the reasons of failures, and files named
// by data that are not regular files (a FIFO, a folder) refused at once by
// every reader that takes such names (pictures, sounds, the settings).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/app/AppBase.h"
#include "framework/graphics/ImageLoader.h"
#include "framework/platform/FileReplace.h"
#include "framework/platform/SettingsStore.h"
#include "framework/sound/WaveFile.h"
#include "support/TestTemp.h"

namespace
{

namespace fs = std::filesystem;
using Framework::FileStep;

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> Listing(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
    {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<FileStep> steps;
void Record(FileStep step)
{
    steps.push_back(step);
}

// Runs body in a child that an alarm kills after two seconds: true when it
// returned within that time (a reader blocked on a FIFO never does).
template <typename Body> bool FinishesInTime(Body body)
{
    const pid_t child = fork();
    if (child == 0)
    {
        alarm(2);
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class FileReplaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = TestSupport::TestTempDir("files");
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { Framework::SetFileStepHook(nullptr); }

    fs::path dir;
};

TEST_F(FileReplaceTest, AReplaceSyncsBeforeRenamingAndLeavesOnlyTheFile)
{
    const fs::path file = dir / "usr.dat";
    Write(file, "old");
    steps.clear();
    Framework::SetFileStepHook(&Record);
    std::string error;
    ASSERT_TRUE(Framework::ReplaceFile(file, std::string_view("new bytes"), error));
    Framework::SetFileStepHook(nullptr);
    EXPECT_EQ(Read(file), "new bytes");
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"usr.dat"});
    // The data is synced before the rename makes it the file; the folder
    // after, so the rename lasts.
    EXPECT_EQ(steps, (std::vector<FileStep>{FileStep::Write, FileStep::Sync, FileStep::Rename, FileStep::Sync}));
}

TEST_F(FileReplaceTest, WhatAKilledSaveLeftIsReplacedNotFollowedAndGone)
{
    const fs::path file = dir / "game.dat";
    const fs::path elsewhere = dir / "elsewhere";
    Write(file, "old");
    Write(elsewhere, "keep");
    // A link planted where the temporary goes must not be written through.
    fs::create_symlink(elsewhere, Framework::ReplaceTemporary(file));
    std::string error;
    ASSERT_TRUE(Framework::ReplaceFile(file, std::string_view("new"), error)) << error;
    EXPECT_EQ(Read(file), "new");
    EXPECT_FALSE(fs::is_symlink(file));
    EXPECT_EQ(Read(elsewhere), "keep");

    // A half-written temporary of a kill: overwritten, then gone.
    Write(Framework::ReplaceTemporary(file), std::string(5000, 'x'));
    ASSERT_TRUE(Framework::ReplaceFile(file, std::string_view("newer"), error)) << error;
    EXPECT_EQ(Read(file), "newer");
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"elsewhere", "game.dat"}));
}

TEST_F(FileReplaceTest, AFailureGivesTheReasonAndLeavesNoTemporary)
{
    std::string error;
    fs::create_directories(dir / "taken");
    EXPECT_FALSE(Framework::ReplaceFile(dir / "taken", std::string_view("x"), error));
    EXPECT_EQ(error, "Is a directory");
    EXPECT_FALSE(fs::exists(dir / "taken.tmp"));
    EXPECT_FALSE(Framework::ReplaceFile(dir / "missing" / "file", std::string_view("x"), error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"taken"});
}

TEST_F(FileReplaceTest, OnlyRegularFilesWithinTheLimitAreRead)
{
    std::vector<uint8_t> bytes;
    std::string error;
    Write(dir / "ten", "0123456789");
    EXPECT_TRUE(Framework::ReadRegularFile(dir / "ten", 10, bytes));
    EXPECT_EQ(bytes.size(), 10u);
    EXPECT_FALSE(Framework::ReadRegularFile(dir / "ten", 9, bytes, &error));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(error, "File too large");
    Write(dir / "empty", "");
    EXPECT_TRUE(Framework::ReadRegularFile(dir / "empty", 10, bytes));
    EXPECT_FALSE(Framework::ReadRegularFile(dir, 1 << 20, bytes, &error));
    EXPECT_EQ(error, "Is a directory");
    EXPECT_FALSE(Framework::ReadRegularFile("/dev/zero", 1 << 20, bytes)) << "a device is not read";

    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    const fs::path fifo = dir / "fifo";
    EXPECT_TRUE(FinishesInTime(
        [&]
        {
            std::vector<uint8_t> got;
            if (Framework::ReadRegularFile(fifo, 1 << 20, got))
            {
                _exit(3);
            }
        }));
}

// An avatar path in a player's record names a FIFO or a folder: the player
// selector and the high-score screen load it as a picture.
TEST_F(FileReplaceTest, APictureNamedByDataThatIsAFifoOrAFolderLoadsAsNothingAtOnce)
{
    ASSERT_EQ(mkfifo((dir / "owl.png").c_str(), 0600), 0);
    fs::create_directories(dir / "fox.png");
    const std::string owl = (dir / "owl.png").string();
    const std::string fox = (dir / "fox.png").string();
    EXPECT_TRUE(FinishesInTime(
        [&]
        {
            std::vector<uint8_t> bytes;
            if (Framework::ImageLoader::ReadFileBytes(owl, bytes) || Framework::ImageLoader::LoadImageFile(owl, true) ||
                Framework::ImageLoader::LoadImageFile(fox, true))
            {
                _exit(3);
            }
        }));
}

TEST_F(FileReplaceTest, ASoundOrCacheFileThatIsAFifoOrAFolderLoadsAsNothingAtOnce)
{
    ASSERT_EQ(mkfifo((dir / "pop.wav").c_str(), 0600), 0);
    fs::create_directories(dir / "cached" / "pop.wav");
    const std::string fifo = (dir / "pop.wav").string();
    const std::string folder = (dir / "cached" / "pop.wav").string();
    EXPECT_TRUE(FinishesInTime(
        [&]
        {
            if (Framework::LoadWaveFile(fifo) || Framework::LoadWaveFile(folder))
            {
                _exit(3);
            }
        }));
}

TEST_F(FileReplaceTest, ASettingsFileThatIsAFifoReadsAsEmptyAtOnce)
{
    const fs::path file = dir / "settings";
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    EXPECT_TRUE(FinishesInTime(
        [&]
        {
            int32_t value = 0;
            if (Framework::SettingsStore::AtFile(file).ReadInteger("MusicVolume", value))
            {
                _exit(3);
            }
        }));
}

TEST_F(FileReplaceTest, SettingsTemporariesOfEarlierVersionsAreIgnoredThenSweptByTheNextSave)
{
    const fs::path file = dir / "settings";
    auto store = Framework::SettingsStore::AtFile(file);
    ASSERT_TRUE(store.WriteInteger("MusicVolume", 40));
    const std::string saved = Read(file);
    // What kills of older versions and of this one left behind.
    Write(dir / "settings.tmp.4242", "FROTHWICK-SETTINGS 1\n4\tMusicVolume\t99\n");
    Write(dir / "settings.tmp.77", "garbage");
    Write(dir / "settings.tmp", "FROTHWICK-SETTINGS 1\n4\tMusicVolume\t98\n");
    Write(dir / "settings.tmp.keep", "not ours");
    int32_t value = 0;
    ASSERT_TRUE(Framework::SettingsStore::AtFile(file).ReadInteger("MusicVolume", value));
    EXPECT_EQ(value, 40) << "a temporary is never read";
    EXPECT_EQ(Read(file), saved);

    ASSERT_TRUE(store.WriteInteger("SfxVolume", 50));
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"settings", "settings.tmp.keep"}));
    EXPECT_EQ((fs::status(file).permissions() & fs::perms::others_read), fs::perms::none) << "private, as before";
}

TEST_F(FileReplaceTest, ABatchOfSettingsIsOneReplaceAndARefusedNameWritesNothing)
{
    const fs::path file = dir / "settings";
    auto store = Framework::SettingsStore::AtFile(file);
    ASSERT_TRUE(store.WriteInteger("musicvolume", 1));
    steps.clear();
    Framework::SetFileStepHook(&Record);
    ASSERT_TRUE(store.WriteIntegers({{"MusicVolume", 30}, {"SfxVolume", 60}, {"InProgress", 0}}));
    EXPECT_EQ(std::count(steps.begin(), steps.end(), FileStep::Rename), 1);
    steps.clear();
    EXPECT_FALSE(store.WriteIntegers({{"Muted", 1}, {"..\\Escape", 2}}));
    EXPECT_FALSE(store.WriteInteger("settings.tmp\\Sub", 3)) << "a sub-key may not take the temporary's name";
    EXPECT_TRUE(steps.empty());
    Framework::SetFileStepHook(nullptr);
    EXPECT_EQ(Read(file), "FROTHWICK-SETTINGS 1\n4\tmusicvolume\t30\n4\tSfxVolume\t60\n4\tInProgress\t0\n")
        << "the stored spelling of a name is kept";
}

} // namespace
