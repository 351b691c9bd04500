#include "framework/platform/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace Framework
{

namespace
{

bool FillAddress(const std::filesystem::path& path, sockaddr_un& addr)
{
    std::memset(&addr, 0, sizeof(addr));
    addr.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof(addr.sun_path))
    {
        return false;
    }
    std::memcpy(addr.sun_path, text.c_str(), text.size() + 1);
    return true;
}

} // namespace

SingleInstance::~SingleInstance()
{
    Release();
}

std::filesystem::path SingleInstance::DefaultDirectory()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/' && ::access(runtime, W_OK) == 0)
    {
        return runtime;
    }
    return "/tmp";
}

std::string SingleInstance::SafeName(const std::string& title)
{
    std::string out;
    for (char c : title)
    {
        out += (c == '/' || static_cast<unsigned char>(c) < 32) ? '_' : c;
    }
    if (out.empty() || out == "." || out == "..")
    {
        out.insert(out.begin(), '_');
    }
    return out;
}

SingleInstance::Result SingleInstance::Acquire(const std::string& title, std::filesystem::path dir)
{
    Release();
    if (dir.empty())
    {
        dir = DefaultDirectory();
    }
    const std::string base = SafeName(title);
    // In a shared /tmp the user id keeps two users' copies apart.
    std::string suffix;
    if (dir == "/tmp")
    {
        suffix = std::to_string(::getuid());
        suffix.insert(suffix.begin(), '-');
    }
    std::string lockName = base;
    lockName.append("Mutex").append(suffix);
    std::string sockName = base;
    sockName.append("Notify").append(suffix);
    std::filesystem::path lockPath = dir / lockName;
    std::filesystem::path sockPath = dir / sockName;

    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
    {
        return Result::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        ::close(fd);
        if (errno != EWOULDBLOCK)
        {
            return Result::Unavailable;
        }
        sockaddr_un addr;
        int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (s >= 0 && FillAddress(sockPath, addr) &&
            ::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0)
        {
            const char message[] = "front\n";
            (void)!::write(s, message, sizeof(message) - 1);
        }
        if (s >= 0)
        {
            ::close(s);
        }
        return Result::AlreadyRunning;
    }
    lockFd = fd;
    // We hold the lock, so a socket file left there is stale.
    ::unlink(sockPath.c_str());
    sockaddr_un addr;
    int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (s >= 0 && FillAddress(sockPath, addr) && ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 &&
        ::listen(s, 4) == 0)
    {
        listenFd = s;
        socketPath = sockPath;
    }
    else if (s >= 0)
    {
        ::close(s);
    }
    return Result::Acquired;
}

bool SingleInstance::PollFrontRequest()
{
    if (listenFd < 0)
    {
        return false;
    }
    // A failed accept still builds and frees a socket in the kernel; this is
    // called several times per update, so look first whether anyone waits.
    pollfd p{listenFd, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0 || (p.revents & POLLIN) == 0)
    {
        return false;
    }
    bool asked = false;
    while (true)
    {
        int c = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0)
        {
            break;
        }
        asked = true; // any connection is a request; its text is not needed
        ::close(c);
    }
    return asked;
}

void SingleInstance::Release()
{
    if (listenFd >= 0)
    {
        ::close(listenFd);
        listenFd = -1;
        ::unlink(socketPath.c_str());
    }
    if (lockFd >= 0)
    {
        ::close(lockFd);
        lockFd = -1;
    }
}

} // namespace Framework
