// SingleInstance: one running copy per title.
//
// Acquire() takes an exclusive flock on "<title>Mutex" in $XDG_RUNTIME_DIR
// (else /tmp) and listens on a local socket beside it. When another process
// holds the lock, Acquire() connects to that socket, asks the running copy to
// come to the front, and returns AlreadyRunning: the caller exits with 0.
// The lock is held, and the socket served, until the object is destroyed
// (or the process ends: the kernel drops the lock with the descriptor).
// Main thread only; PollFrontRequest never blocks.
#pragma once

#include <filesystem>
#include <string>

namespace Framework
{

class SingleInstance
{
public:
    enum class Result
    {
        Acquired,
        AlreadyRunning,
        Unavailable, // the lock file cannot be made; the program runs anyway
    };

    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // dir: where the lock lives; empty: $XDG_RUNTIME_DIR or /tmp.
    Result Acquire(const std::string& title, std::filesystem::path dir = {});
    // True once for each request of a second copy to come to the front.
    bool PollFrontRequest();
    void Release();

    static std::filesystem::path DefaultDirectory();
    // The title made safe as a file name ("/" and control characters become "_").
    static std::string SafeName(const std::string& title);

private:
    int lockFd = -1;
    int listenFd = -1;
    std::filesystem::path socketPath;
};

} // namespace Framework
