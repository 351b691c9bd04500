#pragma once
// A scratch folder of the running test's own. CTest runs every test case as
// a process of its own, several at once, so cases must never share files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace TestSupport {

inline std::filesystem::path TestTempDir(const std::string& sub = {})
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "global";
    for (char& c : name)
        if (c == '/')
            c = '_';
    std::filesystem::path dir = std::filesystem::path(FROTHWICK_TEST_TMP_DIR) / name;
    if (!sub.empty())
        dir /= sub;
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace TestSupport
