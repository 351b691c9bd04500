// What every end-to-end fixture checks and makes first. Header-only: the
// scratch folders and the data tree come from the test programs' own build
// settings (support/TestTemp.h, support/ProgramTree.h).
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>

#include "E2eSupport.h"
#include "support/ProgramTree.h"
#include "support/TestTemp.h"

namespace E2e
{

// Why the test cannot run on this machine, empty when it can: one of the
// tools it drives is missing, or it needs the data tree and there is none.
inline std::string WhyNot(std::initializer_list<const char*> tools, bool needsData)
{
    if (const std::string tool = MissingTool(tools); !tool.empty())
        return tool + " is not installed (scripts/install-deps.sh installs it)";
    if (needsData && !std::filesystem::exists(TestSupport::DataTreeDir() / "properties" / "resources.xml"))
        return "no data tree in " + TestSupport::DataTreeDir().string();
    return {};
}

// The running test's scratch folder, emptied of an earlier run's files (an
// earlier run's players would greet the newcomer).
inline std::filesystem::path FreshFolder(const std::string& name)
{
    const std::filesystem::path folder = TestSupport::TestTempDir(name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace E2e
