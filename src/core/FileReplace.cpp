#include "src/core/FileReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{

std::string Reason(int code)
{
    return std::strerror(code != 0 ? code : EIO);
}

} // namespace

namespace Game
{

bool WriteAll(int fd, const unsigned char* data, size_t size)
{
    while (size > 0)
    {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool ReplaceFile(const std::filesystem::path& path, std::span<const unsigned char> bytes, std::string& error)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
    {
        error = Reason(errno);
        return false;
    }
    int failure = 0;
    // The data must be on disk before the rename makes it the file.
    if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0)
    {
        failure = errno != 0 ? errno : EIO;
    }
    if (::close(fd) != 0 && failure == 0)
    {
        failure = errno != 0 ? errno : EIO;
    }
    if (failure == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
    {
        failure = errno != 0 ? errno : EIO;
    }
    if (failure != 0)
    {
        ::unlink(temporary.c_str());
        error = Reason(failure);
        return false;
    }
    // Make the rename itself durable; a failure here loses nothing.
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0)
    {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace Game
