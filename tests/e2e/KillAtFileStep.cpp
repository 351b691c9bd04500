// A preloaded library (LD_PRELOAD) that kills the program it is loaded into
// with SIGKILL just before one chosen step of a file replace: a write to a
// temporary ("*.tmp"), an fsync, or the rename of a temporary. It works on
// the real, unchanged program at its real system calls.
//
// Steps count only on paths below KILLSTEP_ROOT, and only once the file
// KILLSTEP_ARM exists (the test creates it just before it asks the program
// to quit, so the saves of the start-up are not counted). KILLSTEP_AT=N
// kills before the Nth counted step; without it nothing is killed. Each
// counted step is appended to KILLSTEP_LOG as "N write|fsync|rename PATH",
// and the bytes a rename makes the file are kept beside the log as
// "version-N", so a run without a kill shows every whole version a save
// writes.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

using WriteFn = ssize_t (*)(int, const void*, size_t);
using FsyncFn = int (*)(int);
using RenameFn = int (*)(const char*, const char*);

std::atomic<int> steps{0};

const char* Env(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != 0 ? value : nullptr;
}

bool Below(const std::string& path)
{
    const char* root = Env("KILLSTEP_ROOT");
    return root != nullptr && path.rfind(root, 0) == 0;
}

bool Armed()
{
    const char* arm = Env("KILLSTEP_ARM");
    return arm != nullptr && ::access(arm, F_OK) == 0;
}

std::string PathOf(int fd)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<size_t>(n)) : std::string();
}

bool EndsWith(const std::string& text, const char* tail)
{
    const size_t n = std::strlen(tail);
    return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

// Raw system calls: the library must not call back into what it replaces.
void Append(const std::string& file, const std::string& text)
{
    const int fd = static_cast<int>(::syscall(SYS_openat, AT_FDCWD, file.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644));
    if (fd >= 0)
    {
        ::syscall(SYS_write, fd, text.data(), text.size());
        ::syscall(SYS_close, fd);
    }
}

void KeepVersion(int step, const char* temporary)
{
    const char* log = Env("KILLSTEP_LOG");
    if (log == nullptr)
        return;
    const int in = static_cast<int>(::syscall(SYS_openat, AT_FDCWD, temporary, O_RDONLY));
    if (in < 0)
        return;
    std::string bytes;
    char buffer[4096];
    for (long n; (n = ::syscall(SYS_read, in, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<size_t>(n));
    ::syscall(SYS_close, in);
    std::string folder = log;
    folder = folder.substr(0, folder.rfind('/') + 1);
    Append(folder + "version-" + std::to_string(step), bytes);
}

// Counts a step; kills the process when it is the chosen one.
int Step(const char* what, const std::string& path)
{
    const int step = ++steps;
    if (const char* log = Env("KILLSTEP_LOG"))
        Append(log, std::to_string(step) + " " + what + " " + path + "\n");
    if (const char* at = Env("KILLSTEP_AT"); at != nullptr && std::atoi(at) == step)
        ::syscall(SYS_kill, ::getpid(), SIGKILL);
    return step;
}

template <typename Fn>
Fn Next(const char* name)
{
    return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" ssize_t write(int fd, const void* data, size_t size)
{
    static const WriteFn next = Next<WriteFn>("write");
    if (fd > 2 && Env("KILLSTEP_ROOT") != nullptr)
    {
        const std::string path = PathOf(fd);
        if (EndsWith(path, ".tmp") && Below(path) && Armed())
            Step("write", path);
    }
    return next(fd, data, size);
}

extern "C" int fsync(int fd)
{
    static const FsyncFn next = Next<FsyncFn>("fsync");
    if (Env("KILLSTEP_ROOT") != nullptr)
    {
        const std::string path = PathOf(fd);
        if (Below(path) && Armed())
            Step("fsync", path);
    }
    return next(fd);
}

extern "C" int rename(const char* from, const char* to)
{
    static const RenameFn next = Next<RenameFn>("rename");
    if (Env("KILLSTEP_ROOT") != nullptr && Below(from) && Armed())
    {
        const int step = Step("rename", to);
        KeepVersion(step, from);
    }
    return next(from, to);
}
