// Entry point of every test program: tests run headless, whatever the shell
// they start from says about displays and sound cards, and every test case
// gets user folders of its own (the XDG base directories, below its scratch
// folder, empty at its start), so nothing a test runs reaches the settings, saves or caches of
// the person running the suite.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "support/TestTemp.h"

namespace
{

// Variable, folder below the test's scratch folder. A new XDG variable the
// program reads joins here.
constexpr std::pair<const char*, const char*> userFolders[] = {
    {"XDG_CONFIG_HOME", "xdg/config"}, {"XDG_DATA_HOME", "xdg/data"},       {"XDG_STATE_HOME", "xdg/state"},
    {"XDG_CACHE_HOME", "xdg/cache"},   {"XDG_RUNTIME_DIR", "xdg/runtime"},
};

class UserFoldersPerTest : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override
    {
        std::error_code error;
        std::filesystem::remove_all(TestSupport::TestTempDir("xdg"), error); // an earlier run's
        for (const auto& [variable, folder] : userFolders)
        {
            const std::filesystem::path dir = TestSupport::TestTempDir(folder);
            chmod(dir.c_str(), 0700); // XDG_RUNTIME_DIR must be private
            setenv(variable, dir.c_str(), 1);
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("FROTHWICK_DATA_DIR", FROTHWICK_DATA_DIR, 0);
    setenv("FROTHWICK_SOURCE_DIR", FROTHWICK_SOURCE_DIR, 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new UserFoldersPerTest);
    return RUN_ALL_TESTS();
}
