// The settings side of AppBase: the settings file in the user's
// configuration folder (moved once from the old key folder below
// "SOFTWARE\" + registryKey) and the values the base saves.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <system_error>

#include "framework/app/AppBase.h"

namespace Framework
{

namespace
{

// Writes bytes to file through a temporary file in the same folder and a
// rename, so the file is either absent or whole.
bool WriteWhole(const std::filesystem::path& file, const std::string& bytes)
{
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    const std::filesystem::path temp = file.string() + ".tmp." + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
    {
        return false;
    }
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size())
    {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        ok = n > 0;
        done += ok ? size_t(n) : 0;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), file.c_str()) != 0)
    {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

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
    std::ifstream in(legacy, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in.good() && !in.eof())
    {
        return false;
    }
    return WriteWhole(SettingsFile(), bytes.str());
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
    WriteInteger("MusicVolume", static_cast<int32_t>(musicVolume * 100));
    WriteInteger("SfxVolume", static_cast<int32_t>(sfxVolume * 100));
    WriteInteger("Muted", muteCount - autoMuteCount > 0 ? 1 : 0);
    WriteInteger("ScreenMode", windowed ? 0 : 1);
    WriteInteger("PreferredX", preferredX);
    WriteInteger("PreferredY", preferredY);
    WriteInteger("CustomCursors", customCursors ? 1 : 0);
    WriteInteger("InProgress", 0);
    WriteInteger("WaitForVSync", waitForVSync ? 1 : 0);
}

} // namespace Framework
