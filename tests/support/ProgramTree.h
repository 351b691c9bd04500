#pragma once
// ProgramTree: one of our programs with a copy of the generated data tree
// beside it, in the running test's scratch folder. The programs find their
// data beside themselves (they change into their own folder), so whatever a
// run writes -- players, high scores, imported avatars, cached sounds --
// lands in the copy, never in the build's bin/.
//
// The data tree is read from FROTHWICK_DATA_DIR (the test main sets it; a
// sanitizer build points it at the normal build's tree). Every folder of it
// is copied except the player's own files (profiles, scores, the sound
// cache), so each run starts like a first start. The program itself is
// hard-linked when the scratch folder is on the same file system, else
// copied. The folder is removed when the test passed and kept for a look
// when it failed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TestTemp.h"

namespace TestSupport {

inline std::filesystem::path DataTreeDir()
{
    const char* fromEnv = std::getenv("FROTHWICK_DATA_DIR");
    return fromEnv != nullptr && *fromEnv != 0 ? fromEnv : FROTHWICK_DATA_DIR;
}

class ProgramTree
{
public:
    explicit ProgramTree(const std::filesystem::path& program, const std::string& sub = "tree")
        : folder(TestTempDir(sub))
    {
        namespace fs = std::filesystem;
        fs::remove_all(folder); // left by an earlier, failed run
        fs::create_directories(folder);
        const fs::path data = DataTreeDir();
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(data, error))
        {
            const std::string name = entry.path().filename().string();
            if (!entry.is_directory() || name == "cached")
                continue;
            fs::copy(entry.path(), folder / name, fs::copy_options::recursive);
        }
        for (const char* playersFile : {"data/usr.dat", "data/game.dat"})
            fs::remove(folder / playersFile);
        path = folder / program.filename();
        fs::create_hard_link(program, path, error);
        if (error)
            fs::copy_file(program, path);
    }
    ~ProgramTree()
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        if (info != nullptr && !info->result()->Failed())
        {
            std::error_code error;
            std::filesystem::remove_all(folder, error);
        }
    }
    ProgramTree(const ProgramTree&) = delete;
    ProgramTree& operator=(const ProgramTree&) = delete;

    const std::filesystem::path& Folder() const { return folder; }
    const std::filesystem::path& Program() const { return path; }

private:
    std::filesystem::path folder;
    std::filesystem::path path;
};

} // namespace TestSupport
