// Fuzz target: the profile file. The input is taken as "usr.dat": loading
// gives one record per whole 296 bytes; writing a record back gives its
// bytes with everything after a text field's terminator zeroed; a rewrite
// of the loaded records loads to the same records and bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/fuzz/FuzzScratch.h"
#include "src/profiles/PlayerRecord.h"
#include "src/profiles/ProfileFile.h"

namespace
{

std::filesystem::path Folder()
{
    return FuzzSupport::ScratchFolder("profile");
}

std::vector<unsigned char> Bytes(const PlayerRecord& r)
{
    std::vector<unsigned char> out(PlayerRecord::Size);
    r.Write(out.data());
    return out;
}

// The record's bytes as a write gives them: text after a field's first zero
// is zeroed (a field without one is kept whole).
std::vector<unsigned char> Canonical(const uint8_t* in)
{
    std::vector<unsigned char> out(in, in + PlayerRecord::Size);
    auto clear = [&](size_t at, size_t length)
    {
        const void* zero = std::memchr(in + at, 0, length);
        if (zero != nullptr)
        {
            const size_t from = size_t(static_cast<const uint8_t*>(zero) - in);
            std::memset(out.data() + from, 0, at + length - from);
        }
    };
    clear(0, PlayerRecord::NameSize);
    clear(PlayerRecord::NameSize, PlayerRecord::AvatarPathSize);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path file = Folder() / "usr.dat";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    ProfileFile profiles(file);
    const std::vector<PlayerRecord> records = profiles.Load();
    if (records.size() != size / PlayerRecord::Size)
    {
        __builtin_trap();
    }
    for (size_t i = 0; i < records.size(); ++i)
    {
        const uint8_t* in = data + i * PlayerRecord::Size;
        const std::vector<unsigned char> written = Bytes(records[i]);
        if (written != Canonical(in) || Bytes(PlayerRecord::Read(written.data())) != written)
        {
            __builtin_trap();
        }
        if (records[i].GetName().size() >= PlayerRecord::NameSize + 1 ||
            records[i].GetAvatarPath().size() > PlayerRecord::AvatarPathSize)
        {
            __builtin_trap();
        }
    }
    if (!profiles.Rewrite(records))
    {
        __builtin_trap();
    }
    const std::vector<PlayerRecord> again = profiles.Load();
    if (again.size() != records.size())
    {
        __builtin_trap();
    }
    std::ifstream in(file, std::ios::binary);
    const std::vector<unsigned char> rewritten((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (rewritten.size() != records.size() * PlayerRecord::Size)
    {
        __builtin_trap();
    }
    for (size_t i = 0; i < records.size(); ++i)
    {
        if (Bytes(again[i]) != Bytes(records[i]) ||
            !std::equal(rewritten.begin() + long(i * PlayerRecord::Size),
                        rewritten.begin() + long((i + 1) * PlayerRecord::Size), Bytes(records[i]).begin()))
        {
            __builtin_trap();
        }
    }
    return 0;
}
