// Saves killed part-way. Each writer of a file the game keeps runs in a
// child process that is killed (SIGKILL) at each of its writes, fsyncs and
// renames in turn, through the replace's step seam, and then at random
// moments while it saves the old and the new version over and over. After
// every kill the file is byte for byte the old or the new version (a killed
// append may leave part of its record, which readers ignore, never harm the
// records before it), the next save works and no temporary is left.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "framework/platform/FileReplace.h"
#include "platform/SavingWriters.h"
#include "support/TestTemp.h"

namespace
{

using namespace SavingTest;

// Random kills per writer (six writers: about 200 in all), within a time
// budget so a slow disk cannot stretch the run.
constexpr int RandomKills = 34;
constexpr auto RandomBudget = std::chrono::seconds(3);

int killAtStep = 0;
int stepsSeen = 0;
void KillAtStep(Framework::FileStep)
{
    if (++stepsSeen == killAtStep)
    {
        kill(getpid(), SIGKILL);
    }
}

class FileReplaceKillTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        base = TestSupport::TestTempDir("saving");
        fs::remove_all(base);
        writers = AllWriters(base);
        writer = writers.at(static_cast<size_t>(GetParam()));
        // The new version's bytes, then the old version in place.
        ASSERT_TRUE(writer.save(false));
        ASSERT_TRUE(writer.save(true));
        newBytes = ReadBytes(writer.file);
        Reset();
        oldBytes = ReadBytes(writer.file);
        ASSERT_NE(oldBytes, newBytes);
    }

    void Reset()
    {
        ASSERT_TRUE(writer.save(false));
        ASSERT_TRUE(Temporaries(base).empty());
    }

    // The file a kill left, then the next save and what it leaves.
    void CheckAfterKill(const std::string& when)
    {
        SCOPED_TRACE(writer.name + ", killed " + when);
        const std::string bytes = ReadBytes(writer.file);
        const bool partOfARecord = writer.appends && bytes.size() > oldBytes.size() && bytes.size() < newBytes.size() &&
                                   newBytes.compare(0, bytes.size(), bytes) == 0;
        EXPECT_TRUE(bytes == oldBytes || bytes == newBytes || partOfARecord)
            << bytes.size() << " bytes, neither the old " << oldBytes.size() << " nor the new " << newBytes.size();
        if (partOfARecord)
        {
            EXPECT_EQ(ProfileFile(writer.file).Load().size() * PlayerRecord::Size, oldBytes.size());
        }
        // An append adds its record after the whole records it finds.
        const std::string expected =
            writer.appends
                ? bytes.substr(0, bytes.size() - bytes.size() % PlayerRecord::Size) + newBytes.substr(oldBytes.size())
                : newBytes;
        ASSERT_TRUE(writer.save(true)) << "the next save";
        EXPECT_EQ(ReadBytes(writer.file), expected);
        EXPECT_EQ(Temporaries(base), std::vector<std::string>{});
    }

    fs::path base;
    std::vector<Writer> writers;
    Writer writer;
    std::string oldBytes, newBytes;
};

TEST_P(FileReplaceKillTest, AKillAtEveryWriteFsyncAndRenameLeavesTheOldOrTheNewFile)
{
    int completedAfter = -1;
    for (int step = 1; step < 100 && completedAfter < 0; ++step)
    {
        Reset();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            killAtStep = step;
            Framework::SetFileStepHook(&KillAtStep);
            _exit(writer.save(true) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        {
            CheckAfterKill("before step " + std::to_string(step));
            continue;
        }
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save failed at step " << step;
        EXPECT_EQ(ReadBytes(writer.file), newBytes);
        completedAfter = step - 1;
    }
    EXPECT_EQ(completedAfter, writer.steps) << "the steps of one save the seam saw";
}

TEST_P(FileReplaceKillTest, AKillAtRandomMomentsOfRepeatedSavesLeavesTheOldOrTheNewFile)
{
    std::mt19937 random(2300u + static_cast<unsigned>(GetParam()));
    std::uniform_int_distribution<int> delayUs(0, 25000);
    const auto start = std::chrono::steady_clock::now();
    int kills = 0;
    for (; kills < RandomKills && std::chrono::steady_clock::now() - start < RandomBudget; ++kills)
    {
        Reset();
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            // Never outlives the test, whatever becomes of it.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            close(ready[0]);
            [[maybe_unused]] const ssize_t said = write(ready[1], "r", 1);
            for (bool version = true;; version = !version)
            {
                writer.save(version);
            }
        }
        close(ready[1]);
        char byte = 0;
        const bool started = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        const int delay = delayUs(random);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(started);
        CheckAfterKill("after " + std::to_string(delay) + " us (kill " + std::to_string(kills) + ")");
        if (HasFatalFailure())
        {
            return;
        }
    }
    EXPECT_GE(kills, 5) << "too few kills within the time budget";
}

std::string WriterName(const ::testing::TestParamInfo<int>& param)
{
    static const char* const names[] = {"ProfilesRewrite", "ProfilesAppend", "Records",
                                        "Settings",        "SoundCache",     "AvatarImport"};
    return names[param.param];
}

INSTANTIATE_TEST_SUITE_P(Writers, FileReplaceKillTest, ::testing::Range(0, 6), WriterName);

// The application base's quit save: all nine values in one replace, so a
// kill leaves the previous values or these, never some of each.
TEST(SaveSettingsTest, TheNineValuesGoInOneReplace)
{
    const fs::path base = TestSupport::TestTempDir("saving");
    fs::remove_all(base);
    SettingsApp app(base / "config");
    app.preferredX = 40;
    app.preferredY = -7;
    static int renames = 0;
    renames = 0;
    Framework::SetFileStepHook([](Framework::FileStep step) { renames += step == Framework::FileStep::Rename; });
    app.SaveSettings();
    Framework::SetFileStepHook(nullptr);
    EXPECT_EQ(renames, 1);
    EXPECT_EQ(ReadBytes(app.SettingsFile()),
              "FROTHWICK-SETTINGS 1\n4\tMusicVolume\t" + std::to_string(static_cast<int>(app.musicVolume * 100)) +
                  "\n4\tSfxVolume\t" + std::to_string(static_cast<int>(app.sfxVolume * 100)) +
                  "\n4\tMuted\t0\n4\tScreenMode\t" + (app.windowed ? "0" : "1") +
                  "\n4\tPreferredX\t40\n4\tPreferredY\t-7\n4\tCustomCursors\t" + (app.customCursors ? "1" : "0") +
                  "\n4\tInProgress\t0\n4\tWaitForVSync\t" + (app.waitForVSync ? "1" : "0") + "\n");
}

} // namespace
