// Fuzz target: the settings file. The input is taken as a store's file;
// a write and an erase of a probe value make the store rewrite it. Every
// value the input's lines name reads the same before and after, and a
// second rewrite gives the same bytes as the first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/fuzz/FuzzScratch.h"
#include "framework/platform/SettingsStore.h"

namespace
{

std::filesystem::path Folder()
{
    return FuzzSupport::ScratchFolder("settings");
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Value
{
    bool found = false;
    uint32_t type = 0;
    uint32_t length = 0;
    std::vector<uint8_t> bytes;
    bool operator==(const Value&) const = default;
};

Value ReadOne(Framework::SettingsStore& store, const std::string& name)
{
    Value v;
    v.bytes.resize(4096);
    v.length = uint32_t(v.bytes.size());
    v.found = store.ReadValue(name, v.type, v.bytes.data(), v.length);
    v.bytes.resize(v.found ? v.length : 0);
    if (!v.found)
    {
        v.type = 0;
        v.length = 0;
    }
    return v;
}

// The second field of every line, when it names a value of this key.
std::vector<std::string> Names(const std::string& text)
{
    std::vector<std::string> names{"Volume", "ScreenMode", "InProgress", "a"};
    size_t pos = 0;
    while (pos < text.size() && names.size() < 64)
    {
        size_t end = text.find('\n', pos);
        const std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        const size_t t1 = line.find('\t');
        const size_t t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
        if (t2 != std::string::npos)
        {
            const std::string name = line.substr(t1 + 1, t2 - t1 - 1);
            if (!name.empty() && name.find('\\') == std::string::npos)
            {
                names.push_back(name);
            }
        }
        if (end == std::string::npos)
        {
            break;
        }
        pos = end + 1;
    }
    return names;
}

void Rewrite(Framework::SettingsStore& store)
{
    const std::string probe = "\x01probe";
    if (!store.WriteInteger(probe, 1) || !store.EraseValue(probe))
    {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::filesystem::path file = Folder() / "settings";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    Framework::SettingsStore store = Framework::SettingsStore::AtFile(file);
    const std::vector<std::string> names = Names(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<Value> before;
    for (const std::string& n : names)
    {
        before.push_back(ReadOne(store, n));
    }
    Rewrite(store);
    const std::string first = ReadAll(file);
    for (size_t i = 0; i < names.size(); ++i)
    {
        if (names[i] != "\x01probe" && !(ReadOne(store, names[i]) == before[i]))
        {
            __builtin_trap();
        }
    }
    Rewrite(store);
    if (ReadAll(file) != first)
    {
        __builtin_trap();
    }
    return 0;
}
