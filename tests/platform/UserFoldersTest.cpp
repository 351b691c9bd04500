// The user's folders from the XDG variables and their defaults, the game's
// relative paths below them, the data tree beside the program or in the
// prefix's share folder, and the quit signals turned into a flag.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <fstream>

#include "framework/platform/QuitSignals.h"
#include "framework/platform/UserFolders.h"
#include "support/TestTemp.h"

namespace
{

using namespace Framework;

TEST(UserFoldersTest, VariablesWinAndDefaultsFollowHomeWhenUnsetEmptyOrRelative)
{
    setenv("HOME", "/home/tester", 1);
    setenv("XDG_DATA_HOME", "/x/data", 1);
    setenv("XDG_CONFIG_HOME", "/x/config", 1);
    setenv("XDG_CACHE_HOME", "/x/cache", 1);
    setenv("XDG_RUNTIME_DIR", "/x/run", 1);
    EXPECT_EQ(UserFolders::DataDir("frothwick"), "/x/data/frothwick");
    EXPECT_EQ(UserFolders::ConfigDir("frothwick"), "/x/config/frothwick");
    EXPECT_EQ(UserFolders::CacheDir("frothwick"), "/x/cache/frothwick");
    EXPECT_EQ(UserFolders::RuntimeDir(), "/x/run");

    unsetenv("XDG_DATA_HOME");
    setenv("XDG_CONFIG_HOME", "", 1);
    setenv("XDG_CACHE_HOME", "relative/cache", 1); // not absolute: ignored
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(UserFolders::DataDir("frothwick"), "/home/tester/.local/share/frothwick");
    EXPECT_EQ(UserFolders::ConfigDir("frothwick"), "/home/tester/.config/frothwick");
    EXPECT_EQ(UserFolders::CacheDir("frothwick"), "/home/tester/.cache/frothwick");
    EXPECT_FALSE(UserFolders::RuntimeDir().empty());

    unsetenv("HOME");
    EXPECT_TRUE(UserFolders::DataHome().is_absolute()) << "no HOME still gives a usable folder";
}

TEST(UserFoldersTest, StoredRelativePathsStayBelowTheirFolder)
{
    EXPECT_EQ(UserFolders::Below("/u", "images\\avatar\\fox.png"), "/u/images/avatar/fox.png");
    EXPECT_EQ(UserFolders::Below("/u", "data/usr.dat"), "/u/data/usr.dat");
    EXPECT_EQ(UserFolders::Below("/u", "./data//game.dat"), "/u/data/game.dat");
    EXPECT_TRUE(UserFolders::Below("/u", "images\\..\\..\\etc\\passwd").empty());
    EXPECT_TRUE(UserFolders::Below("/u", "/etc/passwd").empty());
    EXPECT_TRUE(UserFolders::Below("/u", "\\etc\\passwd").empty());
    EXPECT_TRUE(UserFolders::Below("/u", "").empty());
}

TEST(UserFoldersTest, DataTreeBesideTheProgramElseInTheSharedFolder)
{
    const auto root = TestSupport::TestTempDir("prefix");
    std::filesystem::remove_all(root); // the scratch folder outlives the run
    const auto bin = root / "bin";
    std::filesystem::create_directories(bin);
    EXPECT_EQ(UserFolders::DataTreeFor(bin, "frothwick", "properties/resources.xml"), bin) << "nothing anywhere";

    std::filesystem::create_directories(root / "share/frothwick/properties");
    std::ofstream(root / "share/frothwick/properties/resources.xml") << "<x/>";
    EXPECT_EQ(UserFolders::DataTreeFor(bin, "frothwick", "properties/resources.xml"), root / "share/frothwick");

    std::filesystem::create_directories(bin / "properties");
    std::ofstream(bin / "properties/resources.xml") << "<x/>";
    EXPECT_EQ(UserFolders::DataTreeFor(bin, "frothwick", "properties/resources.xml"), bin) << "a build tree wins";
}

TEST(QuitSignalsTest, TermIntAndHupBecomeTheFlagAndTheFirstOneIsKept)
{
    QuitSignals::Install();
    QuitSignals::Clear();
    EXPECT_EQ(QuitSignals::Pending(), 0);
    for (int number : {SIGTERM, SIGINT, SIGHUP})
    {
        ASSERT_EQ(::raise(number), 0);
        EXPECT_EQ(QuitSignals::Pending(), number) << "the process is still alive and saw it";
        QuitSignals::Clear();
    }
    ::raise(SIGHUP);
    ::raise(SIGTERM);
    EXPECT_EQ(QuitSignals::Pending(), SIGHUP);
    QuitSignals::Clear();
}

} // namespace
