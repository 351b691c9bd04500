#include "framework/platform/UserFolders.h"

#include <cstdlib>
#include <system_error>

namespace Framework::UserFolders
{

namespace
{

std::filesystem::path FromEnvironment(const char* variable, const char* homeDefault)
{
    const char* value = std::getenv(variable);
    if (value && *value == '/')
    {
        return value;
    }
    const char* home = std::getenv("HOME");
    if (home && *home == '/')
    {
        return std::filesystem::path(home) / homeDefault;
    }
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec)
    {
        temp = "/tmp";
    }
    return temp / (std::string("frothwick-") + homeDefault);
}

} // namespace

std::filesystem::path DataHome()
{
    return FromEnvironment("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path ConfigHome()
{
    return FromEnvironment("XDG_CONFIG_HOME", ".config");
}

std::filesystem::path CacheHome()
{
    return FromEnvironment("XDG_CACHE_HOME", ".cache");
}

std::filesystem::path RuntimeDir()
{
    const char* value = std::getenv("XDG_RUNTIME_DIR");
    if (value && *value == '/')
    {
        return value;
    }
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path("/tmp") : temp;
}

std::filesystem::path DataDir(const std::string& app)
{
    return DataHome() / app;
}

std::filesystem::path ConfigDir(const std::string& app)
{
    return ConfigHome() / app;
}

std::filesystem::path CacheDir(const std::string& app)
{
    return CacheHome() / app;
}

std::filesystem::path Below(const std::filesystem::path& base, const std::string& relative)
{
    std::string text = relative;
    for (char& c : text)
    {
        if (c == '\\')
        {
            c = '/';
        }
    }
    if (text.empty() || text.front() == '/')
    {
        return {};
    }
    std::filesystem::path result = base;
    for (const auto& part : std::filesystem::path(text))
    {
        if (part == "..")
        {
            return {};
        }
        if (part.empty() || part == ".")
        {
            continue;
        }
        result /= part;
    }
    return result;
}

std::filesystem::path ProgramDir()
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path DataTreeFor(const std::filesystem::path& programDir, const std::string& app,
                                  const std::string& marker)
{
    std::error_code ec;
    if (std::filesystem::exists(programDir / marker, ec))
    {
        return programDir;
    }
    const std::filesystem::path shared = programDir.parent_path() / "share" / app;
    if (std::filesystem::exists(shared / marker, ec))
    {
        return shared.lexically_normal();
    }
    return programDir;
}

} // namespace Framework::UserFolders
