// The folder a fuzz program writes its files in: its own (named by the
// target and the process), made on first use and removed at exit. In memory
// (/dev/shm) where the system offers it: savers sync every file they write.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace FuzzSupport
{

inline const std::filesystem::path& ScratchFolder(const std::string& target)
{
    static const std::filesystem::path folder = [&target]
    {
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::filesystem::path path = base / ("frothwick-fuzz-" + target + "-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    // Registered once the folder is made, so it runs before the folder's destructor.
    [[maybe_unused]] static const int removal = std::atexit(
        []
        {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        });
    return folder;
}

} // namespace FuzzSupport
