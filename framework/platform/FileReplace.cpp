#include "framework/platform/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace Framework
{

namespace
{

std::atomic<FileStepHook> stepHook{nullptr};

void Step(FileStep step)
{
    if (const FileStepHook hook = stepHook.load(std::memory_order_relaxed))
    {
        hook(step);
    }
}

std::string Reason(int code)
{
    return std::strerror(code != 0 ? code : EIO);
}

int LastError()
{
    return errno != 0 ? errno : EIO;
}

} // namespace

void SetFileStepHook(FileStepHook hook)
{
    stepHook.store(hook);
}

bool WriteAll(int fd, const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0)
    {
        Step(FileStep::Write);
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return false;
        }
        if (written == 0)
        {
            errno = EIO;
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

std::filesystem::path ReplaceTemporary(const std::filesystem::path& path)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    return temporary;
}

bool ReplaceFile(const std::filesystem::path& path, std::span<const unsigned char> bytes, std::string& error,
                 unsigned mode)
{
    const std::filesystem::path temporary = ReplaceTemporary(path);
    // A temporary a killed save left behind goes first; made anew with
    // O_EXCL, a link planted in its place is never followed.
    ::unlink(temporary.c_str());
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd < 0)
    {
        error = Reason(errno);
        return false;
    }
    int failure = 0;
    // The data must be on disk before the rename makes it the file.
    if (!WriteAll(fd, bytes.data(), bytes.size()))
    {
        failure = LastError();
    }
    else
    {
        Step(FileStep::Sync);
        if (::fsync(fd) != 0)
        {
            failure = LastError();
        }
    }
    if (::close(fd) != 0 && failure == 0)
    {
        failure = LastError();
    }
    if (failure == 0)
    {
        Step(FileStep::Rename);
        if (::rename(temporary.c_str(), path.c_str()) != 0)
        {
            failure = LastError();
        }
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
        Step(FileStep::Sync);
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes, std::string& error, unsigned mode)
{
    return ReplaceFile(path, std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()), error,
                       mode);
}

bool ReadRegularFile(const std::filesystem::path& path, uint64_t limit, std::vector<uint8_t>& out, std::string* error)
{
    out.clear();
    const auto fail = [&](int code)
    {
        out.clear();
        if (error)
        {
            *error = Reason(code);
        }
        return false;
    };
    // Non-blocking: opening a FIFO for reading would otherwise wait for a
    // writer. The check is made on the open descriptor, so nothing can swap
    // the file between a look and the read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
    {
        return fail(errno);
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
    {
        const int code = LastError();
        ::close(fd);
        return fail(code);
    }
    if (!S_ISREG(info.st_mode))
    {
        ::close(fd);
        return fail(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    }
    if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > limit)
    {
        ::close(fd);
        return fail(EFBIG);
    }
    // The size may change while reading: read to the end, never past limit.
    out.resize(static_cast<size_t>(info.st_size));
    size_t got = 0;
    while (true)
    {
        if (got == out.size())
        {
            if (out.size() >= limit)
            {
                // Exactly at the limit: the file must end here.
                unsigned char probe = 0;
                ssize_t more = 0;
                while ((more = ::read(fd, &probe, 1)) < 0 && errno == EINTR)
                {
                }
                if (more != 0)
                {
                    const int code = more < 0 ? LastError() : EFBIG;
                    ::close(fd);
                    return fail(code);
                }
                break;
            }
            out.resize(static_cast<size_t>(std::min<uint64_t>(limit, out.size() + 65536)));
        }
        const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
        if (n < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            const int code = LastError();
            ::close(fd);
            return fail(code);
        }
        if (n == 0)
        {
            break;
        }
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    out.resize(got);
    return true;
}

} // namespace Framework
