// SettingsStore: typed named values kept per user in plain files, standing in
// for a registry key.
//
// A store is opened on a key path such as "SOFTWARE\Tamsery Games\Frothwick"
// (a trailing "\" or "/" is dropped). Each key is a folder below the root
// ($XDG_CONFIG_HOME, else ~/.config): "\" separates folders. A value name may
// itself contain "\": everything up to the last "\" names a sub-key below the
// store's key, the rest is the value's name. Value names match without regard
// to ASCII case.
//
// File format: the values of one key live in the file ".values" in the key's
// folder, UTF-8/byte text, one line per value, lines ending in "\n":
//     FROTHWICK-SETTINGS 1            (first line, exactly)
//     <type>\t<name>\t<data>
// <type> is the decimal value type (4: 32-bit integer, 1: text, others bytes);
// for type 4 with 4 bytes <data> is the decimal integer, otherwise the bytes
// with "\\", "\t", "\n", "\r" and "\0" escaped as two characters. <name> is
// escaped the same way. A file with another first line reads as empty; a
// malformed line, or an unterminated last line (a truncated file), is
// skipped. Every write replaces the file atomically (FileReplace: the
// temporary "<file>.tmp", fsync, rename), so a crash leaves the old or the new
// file, never a mix; WriteValues sets many values with one replace per file.
// The file is read only when it is a regular file.
//
// A store made with AtFile(file) keeps its own values in that file instead
// (same format); a sub-key "A\B" of it lives in the file of the same name in
// the folder A/B beside it.
//
// Failures (no key, unreadable or unwritable file, missing value, buffer too
// small, a name with an empty, "." or ".." part) only give false. A store with
// an empty key (the application has no settings key) does nothing and returns
// false. Thread-safe: operations of all stores in the process are serialised.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace Framework
{

class SettingsStore
{
public:
    enum ValueType : uint32_t
    {
        TypeString = 1,
        TypeInteger = 4,
    };

    // key: the full key path ("SOFTWARE\..."); empty: a disabled store.
    explicit SettingsStore(std::string key = {}, std::filesystem::path root = DefaultRoot());

    // A store whose own values live in file (e.g. ~/.config/frothwick/settings).
    static SettingsStore AtFile(const std::filesystem::path& file);

    static std::filesystem::path DefaultRoot();

    bool Enabled() const { return !key.empty(); }
    const std::string& Key() const { return key; }

    struct Value
    {
        std::string name;
        uint32_t type = TypeInteger;
        std::string data;
    };

    bool WriteValue(const std::string& name, uint32_t type, const void* data, uint32_t length);
    // Sets all values at once: nothing is written when a name is refused,
    // and each file touched is replaced once. True when every file was saved.
    bool WriteValues(const std::vector<Value>& values);
    bool WriteIntegers(const std::vector<std::pair<std::string, int32_t>>& values);
    bool WriteInteger(const std::string& name, int32_t value);
    bool WriteString(const std::string& name, const std::string& text);
    // length: in, the buffer's size; out, the stored value's size (also when
    // the buffer was too small, which returns false).
    bool ReadValue(const std::string& name, uint32_t& type, void* data, uint32_t& length);
    // True only when the value exists with type 4 and 4 bytes.
    bool ReadInteger(const std::string& name, int32_t& value);
    bool ReadBoolean(const std::string& name, bool& value);
    bool ReadString(const std::string& name, std::string& text);
    bool EraseValue(const std::string& name);

    // The file holding the values of the key a value name lands in (for
    // tests and diagnostics); empty when the name is refused.
    std::filesystem::path FileFor(const std::string& name, std::string* valueName = nullptr) const;

private:
    std::string key;
    std::filesystem::path root;
    std::filesystem::path fixedFile; // set by AtFile
};

} // namespace Framework
