// Sounds and songs are opened only when they are regular files: a FIFO in
// their place would block the loading, or a song's stream, for good.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace Framework
{

inline bool IsRegularSoundFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace Framework
