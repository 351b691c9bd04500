// Loads arbitrary bytes as a records file over zeroed tables, saves them and
// loads the saved file again. The saved file is always 18720 bytes, keeps
// every score and stage the input reached, keeps each text up to its first
// zero (or its whole field) with zeros after it, and a second load and save
// gives the same bytes.
#include "src/records/HighScoreTables.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

void Check(bool ok)
{
    if (!ok)
    {
        std::abort();
    }
}

struct Scratch
{
    Scratch() : dir(fs::temp_directory_path() / ("frothwick-records-fuzz-" + std::to_string(::getpid())))
    {
        fs::create_directories(dir);
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    fs::path dir;
};

std::vector<uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Byte i of the saved file as the input decides it.
uint8_t Expected(const uint8_t* data, size_t size, size_t i)
{
    const size_t entry = i - i % HighScoreEntry::Size;
    const size_t offset = i % HighScoreEntry::Size;
    const auto at = [&](size_t k) -> uint8_t { return k < size ? data[k] : 0; };
    if (offset < 4 || offset >= 152)
    {
        return at(i);
    }
    const size_t field = offset < 24 ? 4 : 24;
    for (size_t k = entry + field; k < i; ++k)
    {
        if (at(k) == 0)
        {
            return 0;
        }
    }
    return at(i);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Scratch scratch;
    const fs::path input = scratch.dir / "in.dat";
    const fs::path saved = scratch.dir / "data" / "game.dat";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    HighScoreTables first;
    Check(first.LoadRecords(input));
    Check(first.SaveRecords(saved));
    const std::vector<uint8_t> bytes = ReadFile(saved);
    Check(bytes.size() == HighScoreTables::FileBytes);
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        Check(bytes[i] == Expected(data, size, i));
    }

    HighScoreTables second;
    Check(second.LoadRecords(saved));
    Check(second.SaveRecords(saved));
    Check(ReadFile(saved) == bytes);
    Check(std::memcmp(&first.tables, &second.tables, sizeof first.tables) == 0);
    Check(!fs::exists(saved.string() + ".tmp"));
    return 0;
}
