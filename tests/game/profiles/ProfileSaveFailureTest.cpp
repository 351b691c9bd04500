// Where players' files live (the user's data folder, never the program's
// tree), the avatar pictures of both folders, and a save that fails being
// said once while the previous file stays whole: a folder in the file's
// place, a file-size limit, a read-only mount.
#include <gtest/gtest.h>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "src/core/UserPaths.h"
#include "src/profiles/PlayerProfiles.h"
#include "support/FileBytes.h"
#include "support/TestTemp.h"

namespace
{

namespace fs = std::filesystem;

PlayerRecord Named(const std::string& name)
{
    PlayerRecord r;
    EXPECT_TRUE(r.SetName(name));
    return r;
}

// Profiles of a file with one stored player, "Old"; messages collected.
struct Saver
{
    explicit Saver(const fs::path& file) : profiles{ProfileFile(file)}
    {
        profiles.sayFailure = [this](const std::string& m) { messages.push_back(m); };
    }
    PlayerProfiles profiles;
    std::vector<std::string> messages;
};

class ProfileSaveFailureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = TestSupport::TestTempDir("user");
        fs::remove_all(dir);
        fs::create_directories(dir);
        setenv("XDG_DATA_HOME", dir.c_str(), 1);
        file = Game::ProfilesPath();
    }

    // Writes "Old" to the file and returns its bytes.
    std::vector<unsigned char> StoreOld()
    {
        Saver first(file);
        first.profiles.SetCurrentPlayer(Named("Old"));
        EXPECT_TRUE(first.profiles.SaveCurrentPlayer());
        EXPECT_TRUE(first.messages.empty());
        return TestSupport::FileBytes(file);
    }

    fs::path dir;
    fs::path file;
};

TEST_F(ProfileSaveFailureTest, PathsComeFromTheUserDataFolderWithDefaultsBelowHome)
{
    EXPECT_EQ(Game::ProfilesPath(), dir / "frothwick" / "data" / "usr.dat");
    EXPECT_EQ(Game::RecordsPath(), dir / "frothwick" / "data" / "game.dat");
    EXPECT_EQ(Game::UserAvatarDir(), dir / "frothwick" / "images" / "avatar");
    EXPECT_EQ(Game::DemosDir(), dir / "frothwick" / "demos");
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/p", 1);
    setenv("XDG_DATA_HOME", "", 1);
    EXPECT_EQ(Game::UserDataDir(), fs::path("/home/p/.local/share/frothwick"));
    setenv("HOME", home.c_str(), 1);
}

TEST_F(ProfileSaveFailureTest, AProfileIsWrittenInTheUserFolderMadeOnDemandAndReadBack)
{
    Saver saver(file);
    ASSERT_TRUE(saver.profiles.AddPlayer(Named("Ada")));
    saver.profiles.SetCurrentPlayer(Named("Bo"));
    ASSERT_TRUE(saver.profiles.SaveCurrentPlayer());
    EXPECT_EQ(fs::file_size(file), 2 * PlayerRecord::Size);
    Saver again(file);
    again.profiles.LoadPlayers();
    ASSERT_EQ(again.profiles.players.size(), 2u);
    EXPECT_EQ(again.profiles.players[0].GetName(), "Bo");
    EXPECT_EQ(again.profiles.players[1].GetName(), "Ada");
}

TEST_F(ProfileSaveFailureTest, AvatarsOfBothFoldersAreListedOnceAndTheUsersPictureLoads)
{
    const fs::path program = dir / "program";
    const fs::path user = Game::UserDataDir();
    for (const fs::path& p :
         {program / "images/avatar/owl.png", program / "images/avatar/fox.jpg", user / "images/avatar/owl.png",
          user / "images/avatar/me.gif", user / "images/avatar/Zed.png"})
    {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << p.string();
    }
    EXPECT_EQ(PlayerProfiles::GetAvatarFiles(user, program),
              (std::vector<std::string>{"images\\avatar\\fox.jpg", "images\\avatar\\me.gif", "images\\avatar\\Zed.png",
                                        "images\\avatar\\owl.png"}));
    EXPECT_EQ(Game::AvatarFile("images\\avatar\\owl.png"), user / "images/avatar/owl.png") << "the user's first";
    EXPECT_EQ(Game::AvatarFile("images\\avatar\\fox.jpg"), fs::path("images/avatar/fox.jpg")) << "then the program's";
    EXPECT_EQ(Game::AvatarFile("images\\..\\..\\secret.png"), fs::path("images/../../secret.png"))
        << "a climbing path is never looked up in the user's folder";
}

TEST_F(ProfileSaveFailureTest, AFolderInTheFilesPlaceIsSaidOncePerRun)
{
    fs::create_directories(file);
    Saver saver(file);
    saver.profiles.SetCurrentPlayer(Named("Ann"));
    EXPECT_TRUE(saver.profiles.AddPlayer(Named("Cy"))) << "the player is kept for the final save";
    EXPECT_FALSE(saver.profiles.SaveCurrentPlayer());
    EXPECT_FALSE(saver.profiles.SaveCurrentPlayer());
    ASSERT_EQ(saver.messages.size(), 1u);
    EXPECT_EQ(saver.messages[0], "Frothwick could not save your players to " + file.string() + ": Is a directory");
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

TEST_F(ProfileSaveFailureTest, AFileSizeLimitLeavesThePreviousFileByteForByte)
{
    const auto before = StoreOld();
    Saver saver(file);
    saver.profiles.LoadPlayers();
    for (const char* name : {"A", "B", "C", "D"})
    {
        saver.profiles.players.push_back(Named(name));
    }
    saver.profiles.SetCurrentPlayer(Named("E"));

    struct sigaction ignore = {}, old = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &old);
    rlimit limit{}, saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    limit = saved;
    limit.rlim_cur = 2 * PlayerRecord::Size;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool ok = saver.profiles.SaveCurrentPlayer();
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &old, nullptr);

    EXPECT_FALSE(ok);
    ASSERT_EQ(saver.messages.size(), 1u);
    EXPECT_EQ(saver.messages[0], "Frothwick could not save your players to " + file.string() + ": File too large");
    EXPECT_EQ(TestSupport::FileBytes(file), before);
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));
}

TEST_F(ProfileSaveFailureTest, AReadOnlyFolderLeavesThePreviousFileByteForByte)
{
    const auto before = StoreOld();
    // The folder is made read-only with a bind mount in a private mount
    // namespace of a child process (as root, permission bits are ignored).
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        close(report[0]);
        const fs::path folder = file.parent_path();
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        {
            const std::string why = std::string("SKIP ") + strerror(errno);
            [[maybe_unused]] auto n = write(report[1], why.data(), why.size());
            _exit(0);
        }
        Saver saver(file);
        saver.profiles.LoadPlayers();
        saver.profiles.SetCurrentPlayer(Named("New"));
        saver.profiles.SaveCurrentPlayer();
        saver.profiles.SaveCurrentPlayer();
        std::string out = std::to_string(saver.messages.size()) + "\n";
        for (const std::string& m : saver.messages)
        {
            out += m + "\n";
        }
        [[maybe_unused]] auto n = write(report[1], out.data(), out.size());
        _exit(0);
    }
    close(report[1]);
    std::string got;
    char buffer[512];
    for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;)
    {
        got.append(buffer, static_cast<size_t>(n));
    }
    close(report[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (got.rfind("SKIP ", 0) == 0)
    {
        GTEST_SKIP() << "cannot make a read-only bind mount in a private mount namespace here (" << got.substr(5)
                     << ")";
    }
    EXPECT_EQ(got, "1\nFrothwick could not save your players to " + file.string() + ": Read-only file system\n");
    EXPECT_EQ(TestSupport::FileBytes(file), before);
}

} // namespace
