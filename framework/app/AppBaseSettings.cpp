// The settings side of AppBase: the settings file in the user's
// configuration folder (moved once from the old key folder below
// "SOFTWARE\" + registryKey) and the values the base saves.
#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "framework/app/AppBase.h"
#include "framework/platform/FileReplace.h"

namespace Framework
{

namespace
{

// Far above any settings file.
constexpr uint64_t MaxSettingsBytes = 16u << 20;

} // namespace

std::string AppBase::UserFolderName() const
{
    if (!userFolder.empty())
    {
        return userFolder;
    }
    std::string name;
    for (char c : title)
    {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_')
        {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return name.empty() ? "app" : name;
}

std::filesystem::path AppBase::SettingsFile() const
{
    return settingsRoot / UserFolderName() / "settings";
}

std::filesystem::path AppBase::LegacySettingsFile() const
{
    if (registryKey.empty())
    {
        return {};
    }
    return SettingsStore("SOFTWARE\\" + registryKey, settingsRoot).FileFor("x");
}

bool AppBase::SettingsExist() const
{
    std::error_code ec;
    const std::filesystem::path legacy = LegacySettingsFile();
    return std::filesystem::exists(SettingsFile(), ec) || (!legacy.empty() && std::filesystem::exists(legacy, ec));
}

bool AppBase::MigrateSettings()
{
    std::error_code ec;
    const std::filesystem::path legacy = LegacySettingsFile();
    if (legacy.empty() || std::filesystem::exists(SettingsFile(), ec) || !std::filesystem::is_regular_file(legacy, ec))
    {
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!ReadRegularFile(legacy, MaxSettingsBytes, bytes))
    {
        return false;
    }
    std::filesystem::create_directories(SettingsFile().parent_path(), ec);
    std::string error;
    return ReplaceFile(SettingsFile(), std::span<const unsigned char>(bytes.data(), bytes.size()), error, 0600);
}

SettingsStore AppBase::Settings() const
{
    if (registryKey.empty())
    {
        return SettingsStore({}, settingsRoot);
    }
    return SettingsStore::AtFile(SettingsFile());
}

bool AppBase::WriteValue(const std::string& name, uint32_t type, const void* data, uint32_t length)
{
    return Settings().WriteValue(name, type, data, length);
}

bool AppBase::WriteInteger(const std::string& name, int32_t value)
{
    return Settings().WriteInteger(name, value);
}

bool AppBase::WriteString(const std::string& name, const std::string& text)
{
    return Settings().WriteString(name, text);
}

bool AppBase::ReadValue(const std::string& name, uint32_t& type, void* data, uint32_t& length)
{
    return Settings().ReadValue(name, type, data, length);
}

bool AppBase::ReadInteger(const std::string& name, int32_t& value)
{
    return Settings().ReadInteger(name, value);
}

bool AppBase::ReadBoolean(const std::string& name, bool& value)
{
    return Settings().ReadBoolean(name, value);
}

bool AppBase::ReadString(const std::string& name, std::string& text)
{
    return Settings().ReadString(name, text);
}

bool AppBase::EraseValue(const std::string& name)
{
    return Settings().EraseValue(name);
}

void AppBase::LoadSettings()
{
    settingsLoaded = true;
    if (registryKey.empty())
    {
        return;
    }
    MigrateSettings();
    int32_t value = 0;
    // Volumes are whole percent; a damaged file cannot push them outside 0..1.
    if (ReadInteger("MusicVolume", value))
    {
        musicVolume = std::clamp(value * 0.01, 0.0, 1.0);
    }
    if (ReadInteger("SfxVolume", value))
    {
        sfxVolume = std::clamp(value * 0.01, 0.0, 1.0);
    }
    if (ReadInteger("Muted", value))
    {
        muteCount = std::max(value, 0);
    }
    if (ReadInteger("ScreenMode", value))
    {
        windowed = value == 0;
    }
    if (ReadInteger("PreferredX", value))
    {
        preferredX = value;
    }
    if (ReadInteger("PreferredY", value))
    {
        preferredY = value;
    }
    if (ReadInteger("CustomCursors", value))
    {
        customCursors = value != 0;
        RefreshCursor();
    }
    bool flag = false;
    if (ReadBoolean("WaitForVSync", flag))
    {
        waitForVSync = flag;
    }
    if (ReadInteger("InProgress", value))
    {
        cleanLastExit = value == 0;
    }
}

void AppBase::MarkRunInProgress()
{
    runMarked = true;
    if (!screenSaverMode && !registryKey.empty())
    {
        WriteInteger("InProgress", 1);
    }
}

void AppBase::SaveSettings()
{
    if (registryKey.empty())
    {
        return;
    }
    // One replace of the file for all of them: a quit killed half-way leaves
    // the previous values or these, never a mix.
    Settings().WriteIntegers({
        {"MusicVolume", static_cast<int32_t>(musicVolume * 100)},
        {"SfxVolume", static_cast<int32_t>(sfxVolume * 100)},
        {"Muted", muteCount - autoMuteCount > 0 ? 1 : 0},
        {"ScreenMode", windowed ? 0 : 1},
        {"PreferredX", preferredX},
        {"PreferredY", preferredY},
        {"CustomCursors", customCursors ? 1 : 0},
        {"InProgress", 0},
        {"WaitForVSync", waitForVSync ? 1 : 0},
    });
}

} // namespace Framework
