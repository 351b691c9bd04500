#include "src/profiles/ProfileFile.h"

#include "framework/platform/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace
{

class FileDescriptor
{
public:
    explicit FileDescriptor(int descriptor) : fd(descriptor) {}
    ~FileDescriptor()
    {
        if (fd >= 0)
        {
            ::close(fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd; }
    // Closes now and reports whether the close succeeded.
    bool Close()
    {
        const int result = ::close(fd);
        fd = -1;
        return result == 0;
    }

private:
    int fd;
};

} // namespace

ProfileFile::ProfileFile(std::filesystem::path filePath) : path(std::move(filePath)) {}

bool ProfileFile::Fail() const
{
    lastError = std::strerror(errno != 0 ? errno : EIO);
    return false;
}

namespace
{

void MakeFolderOf(const std::filesystem::path& file)
{
    if (file.has_parent_path())
    {
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
    }
}

} // namespace

std::vector<PlayerRecord> ProfileFile::Load() const
{
    // Only a regular file is read: a FIFO or a device in its place would
    // block the start or never end.
    std::vector<PlayerRecord> records;
    std::vector<uint8_t> bytes;
    if (!Framework::ReadRegularFile(path, MaxFileBytes, bytes))
    {
        return records;
    }
    for (size_t at = 0; at + PlayerRecord::Size <= bytes.size(); at += PlayerRecord::Size)
    {
        records.push_back(PlayerRecord::Read(bytes.data() + at));
    }
    return records;
}

bool ProfileFile::Append(const PlayerRecord& record) const
{
    MakeFolderOf(path);
    // The temporary of a rewrite killed earlier is never read; it goes with
    // the next save, whichever kind that is.
    ::unlink(Framework::ReplaceTemporary(path).c_str());
    // Without blocking: a FIFO in the file's place must not hang the game.
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644));
    if (fd.Get() < 0)
    {
        return Fail();
    }
    struct stat info
    {
    };
    if (::fstat(fd.Get(), &info) != 0)
    {
        return Fail();
    }
    if (!S_ISREG(info.st_mode))
    {
        errno = EINVAL;
        lastError = "not a regular file";
        return false;
    }
    const off_t aligned = info.st_size - info.st_size % static_cast<off_t>(PlayerRecord::Size);
    if (aligned != info.st_size && ::ftruncate(fd.Get(), aligned) != 0)
    {
        return Fail();
    }
    unsigned char buffer[PlayerRecord::Size];
    record.Write(buffer);
    if (::lseek(fd.Get(), aligned, SEEK_SET) != aligned || !Framework::WriteAll(fd.Get(), buffer, sizeof buffer))
    {
        Fail();
        // Leave no fragment of the record behind.
        [[maybe_unused]] const int ignored = ::ftruncate(fd.Get(), aligned);
        return false;
    }
    return fd.Close() || Fail();
}

bool ProfileFile::Rewrite(const std::vector<PlayerRecord>& records) const
{
    std::vector<unsigned char> bytes(records.size() * PlayerRecord::Size);
    for (size_t i = 0; i < records.size(); ++i)
    {
        records[i].Write(bytes.data() + i * PlayerRecord::Size);
    }
    MakeFolderOf(path);
    return Framework::ReplaceFile(path, bytes, lastError);
}
