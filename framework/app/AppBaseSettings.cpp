// The settings side of AppBase: the store below "SOFTWARE\" + registryKey
// and the values the base saves.
#include <algorithm>

#include "framework/app/AppBase.h"

namespace Framework
{

SettingsStore AppBase::Settings() const
{
    if (registryKey.empty())
    {
        return SettingsStore({}, settingsRoot);
    }
    return SettingsStore("SOFTWARE\\" + registryKey, settingsRoot);
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
    if (!screenSaverMode)
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
