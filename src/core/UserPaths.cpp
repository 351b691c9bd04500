#include "src/core/UserPaths.h"

#include <cstdlib>
#include <system_error>

namespace Game
{

std::filesystem::path UserDataDir()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data == '/')
    {
        return std::filesystem::path(data) / "frothwick";
    }
    const char* home = std::getenv("HOME");
    if (home && *home == '/')
    {
        return std::filesystem::path(home) / ".local/share/frothwick";
    }
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    return (ec ? std::filesystem::path("/tmp") : temp) / "frothwick-data";
}

std::filesystem::path ProfilesPath()
{
    return UserDataDir() / "data" / "usr.dat";
}

std::filesystem::path RecordsPath()
{
    return UserDataDir() / "data" / "game.dat";
}

std::filesystem::path UserAvatarDir()
{
    return UserDataDir() / "images" / "avatar";
}

std::filesystem::path DemosDir()
{
    return UserDataDir() / "demos";
}

std::filesystem::path AvatarFile(const std::string& storedPath)
{
    std::string native = storedPath;
    for (char& c : native)
    {
        if (c == '\\')
        {
            c = '/';
        }
    }
    const std::filesystem::path relative(native);
    bool safe = !native.empty() && relative.is_relative();
    for (const auto& part : relative)
    {
        safe = safe && part != "..";
    }
    std::error_code ec;
    if (safe && std::filesystem::is_regular_file(UserDataDir() / relative, ec))
    {
        return UserDataDir() / relative;
    }
    return relative;
}

} // namespace Game
