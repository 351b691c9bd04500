#pragma once
// The whole of a file as bytes; empty when it cannot be read.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace TestSupport {

inline std::vector<unsigned char> FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

} // namespace TestSupport
