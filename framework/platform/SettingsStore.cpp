#include "framework/platform/SettingsStore.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <mutex>
#include <sstream>
#include <vector>

#include "framework/platform/FileReplace.h"

namespace Framework
{

namespace
{

constexpr const char* Header = "FROTHWICK-SETTINGS 1";
constexpr const char* ValuesFile = ".values";
constexpr std::uintmax_t MaxFileSize = 16u << 20;

std::mutex& StoreLock()
{
    static std::mutex lock;
    return lock;
}

struct Entry
{
    uint32_t type = 0;
    std::string name;
    std::string data;
};

std::string Escape(const std::string& in)
{
    std::string out;
    out.reserve(in.size());
    for (char c : in)
    {
        switch (c)
        {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\0':
                out += "\\0";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

bool Unescape(const std::string& in, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < in.size(); ++i)
    {
        if (in[i] != '\\')
        {
            out += in[i];
            continue;
        }
        if (++i >= in.size())
        {
            return false;
        }
        switch (in[i])
        {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case '0':
                out += '\0';
                break;
            default:
                return false;
        }
    }
    return true;
}

bool ParseInt32(const std::string& text, int32_t& value)
{
    if (text.empty() || text.size() > 11)
    {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX || text[0] == ' ' || text[0] == '+')
    {
        return false;
    }
    value = static_cast<int32_t>(v);
    return true;
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
    {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i)
    {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
        {
            x = static_cast<unsigned char>(x + 32);
        }
        if (y >= 'A' && y <= 'Z')
        {
            y = static_cast<unsigned char>(y + 32);
        }
        if (x != y)
        {
            return false;
        }
    }
    return true;
}

// Reads every well-formed entry; a missing or foreign file gives none.
std::vector<Entry> Load(const std::filesystem::path& file)
{
    std::vector<Entry> entries;
    // Opened only as a regular file: a FIFO in its place must not hang the start.
    std::vector<uint8_t> bytes;
    if (!ReadRegularFile(file, MaxFileSize, bytes))
    {
        return entries;
    }
    const std::string content(bytes.begin(), bytes.end());
    size_t pos = content.find('\n');
    if (pos == std::string::npos || content.compare(0, pos, Header) != 0)
    {
        return entries;
    }
    ++pos;
    while (pos < content.size())
    {
        size_t end = content.find('\n', pos);
        if (end == std::string::npos)
        {
            break; // unterminated last line: a truncated write of an old version
        }
        std::string line = content.substr(pos, end - pos);
        pos = end + 1;
        size_t t1 = line.find('\t');
        size_t t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
        if (t2 == std::string::npos)
        {
            continue;
        }
        int32_t type = 0;
        Entry e;
        if (!ParseInt32(line.substr(0, t1), type) || type < 0 || !Unescape(line.substr(t1 + 1, t2 - t1 - 1), e.name) ||
            e.name.empty())
        {
            continue;
        }
        e.type = static_cast<uint32_t>(type);
        std::string data = line.substr(t2 + 1);
        int32_t v = 0;
        if (e.type == SettingsStore::TypeInteger && ParseInt32(data, v))
        {
            e.data.assign(reinterpret_cast<const char*>(&v), 4);
        }
        else if (!Unescape(data, e.data))
        {
            continue;
        }
        // A later line for the same name wins, as a rewrite would leave it.
        bool replaced = false;
        for (Entry& old : entries)
        {
            if (SameName(old.name, e.name))
            {
                old = e;
                replaced = true;
            }
        }
        if (!replaced)
        {
            entries.push_back(std::move(e));
        }
    }
    return entries;
}

// Sets e's value, keeping the stored spelling of its name.
void Merge(std::vector<Entry>& entries, Entry e)
{
    for (Entry& old : entries)
    {
        if (SameName(old.name, e.name))
        {
            e.name = old.name;
            old = e;
            return;
        }
    }
    entries.push_back(std::move(e));
}

// Earlier versions wrote through a temporary named by the process id
// ("settings.tmp.1234"); a kill could leave one. They are never read; a
// successful save removes them.
void RemoveOldTemporaries(const std::filesystem::path& file)
{
    const std::string prefix = file.filename().string() + ".tmp.";
    std::error_code ec;
    for (std::filesystem::directory_iterator it(file.parent_path(), ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string name = it->path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            name.find_first_not_of("0123456789", prefix.size()) == std::string::npos)
        {
            std::error_code ignored;
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

bool Save(const std::filesystem::path& file, const std::vector<Entry>& entries)
{
    std::ostringstream out;
    out << Header << '\n';
    for (const Entry& e : entries)
    {
        out << e.type << '\t' << Escape(e.name) << '\t';
        if (e.type == SettingsStore::TypeInteger && e.data.size() == 4)
        {
            int32_t v = 0;
            std::memcpy(&v, e.data.data(), 4);
            out << v;
        }
        else
        {
            out << Escape(e.data);
        }
        out << '\n';
    }
    std::string error;
    if (!ReplaceFile(file, out.str(), error, 0600))
    {
        return false;
    }
    RemoveOldTemporaries(file);
    return true;
}

// Splits at "\" into folder names; refuses empty, ".", ".." and the values
// file's name so that no name can leave the store's folder or hit a values file.
bool SplitKey(const std::string& path, std::vector<std::string>& parts, const std::string& valuesName)
{
    size_t start = 0;
    while (true)
    {
        size_t end = path.find('\\', start);
        std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty() || part == "." || part == ".." || part == valuesName ||
            part == ReplaceTemporary(valuesName).string() || part.find('/') != std::string::npos ||
            part.find('\0') != std::string::npos)
        {
            return false;
        }
        parts.push_back(part);
        if (end == std::string::npos)
        {
            return true;
        }
        start = end + 1;
    }
}

} // namespace

SettingsStore::SettingsStore(std::string keyPath, std::filesystem::path rootPath)
    : key(std::move(keyPath)), root(std::move(rootPath))
{
    while (!key.empty() && (key.back() == '\\' || key.back() == '/'))
    {
        key.pop_back();
    }
}

SettingsStore SettingsStore::AtFile(const std::filesystem::path& file)
{
    SettingsStore store;
    if (!file.empty() && file.has_filename())
    {
        store.key = file.string();
        store.fixedFile = file;
    }
    return store;
}

std::filesystem::path SettingsStore::DefaultRoot()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/')
    {
        return config;
    }
    const char* home = std::getenv("HOME");
    if (home && *home)
    {
        return std::filesystem::path(home) / ".config";
    }
    return std::filesystem::temp_directory_path() / "frothwick-config";
}

std::filesystem::path SettingsStore::FileFor(const std::string& name, std::string* valueName) const
{
    if (key.empty() || name.empty())
    {
        return {};
    }
    const std::string valuesName = fixedFile.empty() ? std::string(ValuesFile) : fixedFile.filename().string();
    std::vector<std::string> parts;
    if (fixedFile.empty() && !SplitKey(key, parts, valuesName))
    {
        return {};
    }
    size_t slash = name.rfind('\\');
    std::string leaf = name;
    if (slash != std::string::npos)
    {
        if (!SplitKey(name.substr(0, slash), parts, valuesName))
        {
            return {};
        }
        leaf = name.substr(slash + 1);
    }
    if (leaf.empty())
    {
        return {};
    }
    if (valueName)
    {
        *valueName = leaf;
    }
    std::filesystem::path file = fixedFile.empty() ? root : fixedFile.parent_path();
    for (const std::string& p : parts)
    {
        file /= p;
    }
    return file / valuesName;
}

bool SettingsStore::WriteValue(const std::string& name, uint32_t type, const void* data, uint32_t length)
{
    if (length > 0 && !data)
    {
        return false;
    }
    const std::string bytes = length > 0 ? std::string(static_cast<const char*>(data), length) : std::string();
    return WriteValues({{name, type, bytes}});
}

bool SettingsStore::WriteValues(const std::vector<Value>& values)
{
    // Every name is checked before anything is written; the values of one
    // file go into it with a single replace.
    std::vector<std::pair<std::filesystem::path, std::vector<Entry>>> files;
    for (const Value& value : values)
    {
        std::string leaf;
        const std::filesystem::path file = FileFor(value.name, &leaf);
        if (file.empty())
        {
            return false;
        }
        auto it = std::find_if(files.begin(), files.end(), [&](const auto& f) { return f.first == file; });
        if (it == files.end())
        {
            files.emplace_back(file, std::vector<Entry>{});
            it = std::prev(files.end());
        }
        it->second.push_back(Entry{value.type, leaf, value.data});
    }
    if (files.empty())
    {
        return false;
    }
    std::lock_guard lock(StoreLock());
    bool ok = true;
    for (const auto& [file, changes] : files)
    {
        std::error_code ec;
        std::filesystem::create_directories(file.parent_path(), ec);
        if (ec)
        {
            ok = false;
            continue;
        }
        std::vector<Entry> entries = Load(file);
        for (const Entry& change : changes)
        {
            Merge(entries, change);
        }
        ok = Save(file, entries) && ok;
    }
    return ok;
}

bool SettingsStore::WriteIntegers(const std::vector<std::pair<std::string, int32_t>>& values)
{
    std::vector<Value> batch;
    batch.reserve(values.size());
    for (const auto& [name, value] : values)
    {
        batch.push_back({name, TypeInteger, std::string(reinterpret_cast<const char*>(&value), 4)});
    }
    return WriteValues(batch);
}

bool SettingsStore::WriteInteger(const std::string& name, int32_t value)
{
    return WriteValue(name, TypeInteger, &value, 4);
}

bool SettingsStore::WriteString(const std::string& name, const std::string& text)
{
    return WriteValue(name, TypeString, text.data(), static_cast<uint32_t>(text.size()));
}

bool SettingsStore::ReadValue(const std::string& name, uint32_t& type, void* data, uint32_t& length)
{
    std::string leaf;
    std::filesystem::path file = FileFor(name, &leaf);
    if (file.empty())
    {
        return false;
    }
    std::lock_guard lock(StoreLock());
    for (const Entry& e : Load(file))
    {
        if (!SameName(e.name, leaf))
        {
            continue;
        }
        const uint32_t room = length;
        type = e.type;
        length = static_cast<uint32_t>(e.data.size());
        if (e.data.size() > room || (!data && !e.data.empty()))
        {
            return false;
        }
        if (!e.data.empty())
        {
            std::memcpy(data, e.data.data(), e.data.size());
        }
        return true;
    }
    return false;
}

bool SettingsStore::ReadInteger(const std::string& name, int32_t& value)
{
    uint32_t type = 0, length = 4;
    int32_t v = 0;
    if (!ReadValue(name, type, &v, length) || type != TypeInteger || length != 4)
    {
        return false;
    }
    value = v;
    return true;
}

bool SettingsStore::ReadBoolean(const std::string& name, bool& value)
{
    int32_t v = 0;
    if (!ReadInteger(name, v))
    {
        return false;
    }
    value = v != 0;
    return true;
}

bool SettingsStore::ReadString(const std::string& name, std::string& text)
{
    std::vector<char> buffer(4096);
    uint32_t type = 0, length = static_cast<uint32_t>(buffer.size());
    if (!ReadValue(name, type, buffer.data(), length))
    {
        if (length <= buffer.size() || length > MaxFileSize)
        {
            return false;
        }
        buffer.resize(length);
        if (!ReadValue(name, type, buffer.data(), length))
        {
            return false;
        }
    }
    if (type != TypeString)
    {
        return false;
    }
    text.assign(buffer.data(), length);
    return true;
}

bool SettingsStore::EraseValue(const std::string& name)
{
    std::string leaf;
    std::filesystem::path file = FileFor(name, &leaf);
    if (file.empty())
    {
        return false;
    }
    std::lock_guard lock(StoreLock());
    std::vector<Entry> entries = Load(file);
    size_t before = entries.size();
    std::erase_if(entries, [&](const Entry& e) { return SameName(e.name, leaf); });
    if (entries.size() == before)
    {
        return false;
    }
    return Save(file, entries);
}

} // namespace Framework
