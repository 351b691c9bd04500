// Saves on a full disk: under a file-size limit (RLIMIT_FSIZE with SIGXFSZ
// ignored, possible everywhere) and on a 64 KiB tmpfs filled to the brim (a
// private mount namespace, skipped where none may be made), every writer of
// a file the game keeps reports the failure, leaves its old file byte for
// byte and no temporary; once there is room again the next save works. The
// same on a read-only mount of the user's folders.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/SavingWriters.h"
#include "support/TestTemp.h"

namespace
{

using namespace SavingTest;

// Lowers the file-size limit while alive; the signal it would raise is
// ignored, so the write fails with "File too large" instead.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &oldAction);
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        rlimit limit = oldLimit;
        limit.rlim_cur = bytes;
        set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &oldLimit);
        sigaction(SIGXFSZ, &oldAction, nullptr);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool set = false;

private:
    struct sigaction oldAction = {};
    rlimit oldLimit = {};
};

TEST(FullDiskTest, AFileSizeLimitFailsEverySaveAndKeepsTheOldFile)
{
    const fs::path base = TestSupport::TestTempDir("saving");
    fs::remove_all(base);
    for (Writer& writer : AllWriters(base))
    {
        SCOPED_TRACE(writer.name);
        // Old, new, old again: an append's new version is the old one and
        // its record.
        ASSERT_TRUE(writer.save(false));
        ASSERT_TRUE(writer.save(true));
        const std::string newBytes = ReadBytes(writer.file);
        ASSERT_TRUE(writer.save(false));
        const std::string oldBytes = ReadBytes(writer.file);
        bool saved = false;
        {
            FileSizeLimit limit(newBytes.size() - 1);
            ASSERT_TRUE(limit.set);
            saved = writer.save(true);
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(ReadBytes(writer.file), oldBytes);
        EXPECT_EQ(Temporaries(base), std::vector<std::string>{});
        EXPECT_TRUE(writer.save(true)) << "with room again";
        EXPECT_EQ(ReadBytes(writer.file), newBytes);
    }
}

// Enters a mount namespace of its own (a user namespace too when not root)
// whose mounts stay private; the reason when it may not.
std::string EnterMountNamespace()
{
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    if (uid == 0 ? unshare(CLONE_NEWNS) != 0 : unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
    {
        return std::string("unshare: ") + std::strerror(errno);
    }
    if (uid != 0)
    {
        const auto put = [](const char* file, const std::string& text) { std::ofstream(file) << text; };
        put("/proc/self/setgroups", "deny");
        put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
        put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
    {
        return std::string("making mounts private: ") + std::strerror(errno);
    }
    return {};
}

// Runs body in a child process in a private mount namespace and gives what
// it reports: failures, one a line, or "SKIP why" when the namespace or a
// mount was refused.
std::string InMountNamespace(const std::function<std::string()>& body)
{
    int report[2];
    if (pipe(report) != 0)
    {
        return "pipe failed";
    }
    const pid_t child = fork();
    if (child == 0)
    {
        close(report[0]);
        const std::string why = EnterMountNamespace();
        const std::string out = why.empty() ? body() : "SKIP " + why;
        [[maybe_unused]] const ssize_t n = write(report[1], out.data(), out.size());
        _exit(0);
    }
    close(report[1]);
    std::string got;
    char buffer[512];
    for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;)
    {
        got.append(buffer, static_cast<size_t>(n));
    }
    close(report[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    {
        return got + "the child failed";
    }
    return got;
}

// Fills the file system of folder until a write fails; the filler's path.
fs::path Fill(const fs::path& folder)
{
    const fs::path filler = folder / "filler";
    const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const std::string block(4096, 'f');
    while (fd >= 0 && write(fd, block.data(), block.size()) > 0)
    {
    }
    while (fd >= 0 && write(fd, block.data(), 1) > 0)
    {
    }
    if (fd >= 0)
    {
        close(fd);
    }
    return filler;
}

TEST(FullDiskTest, OnAFullTmpfsEverySaveFailsAndKeepsTheOldFile)
{
    const fs::path base = TestSupport::TestTempDir("saving");
    fs::remove_all(base);
    const fs::path small = base / "small";
    fs::create_directories(small);
    const std::string got = InMountNamespace(
        [&]() -> std::string
        {
            if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
            {
                return std::string("SKIP mount tmpfs: ") + std::strerror(errno);
            }
            std::string out;
            const auto check = [&](bool ok, const std::string& writer, const std::string& what)
            {
                if (!ok)
                {
                    out += writer + ": " + what + "\n";
                }
            };
            // One writer at a time has the 64 KiB to itself.
            for (Writer& writer : AllWriters(small, 600, 6000))
            {
                const bool prepared = writer.save(false) && writer.save(true);
                const std::string newBytes = ReadBytes(writer.file);
                const bool oldSaved = writer.save(false);
                const std::string oldBytes = ReadBytes(writer.file);
                check(prepared && oldSaved && oldBytes != newBytes, writer.name, "preparing both versions");
                const fs::path filler = Fill(small);
                const bool saved = writer.save(true);
                const std::string bytes = ReadBytes(writer.file);
                // An append may still find room in the file's last page.
                if (writer.appends && saved)
                {
                    check(bytes == newBytes, writer.name, "an append that succeeded");
                }
                else
                {
                    check(!saved, writer.name, "a save reported success on a full disk");
                    check(bytes == oldBytes, writer.name, "the old file changed");
                }
                check(Temporaries(small).empty(), writer.name, "a temporary was left");
                fs::remove(filler);
                if (writer.appends && saved)
                {
                    check(writer.save(false), writer.name, "the old version again");
                }
                check(writer.save(true) && ReadBytes(writer.file) == newBytes, writer.name, "the save with room again");
                fs::remove(writer.file);
            }
            return out;
        });
    if (got.rfind("SKIP ", 0) == 0)
    {
        GTEST_SKIP() << "cannot mount a small tmpfs in a private mount namespace here (" << got.substr(5) << ")";
    }
    EXPECT_EQ(got, "");
}

// Read-only by a mount, not by permission bits: CI runs as root, and root
// ignores them.
TEST(FullDiskTest, OnAReadOnlyMountEverySaveFailsAndKeepsTheOldFile)
{
    const fs::path base = TestSupport::TestTempDir("saving");
    fs::remove_all(base);
    std::vector<Writer> writers = AllWriters(base);
    std::vector<std::string> oldBytes;
    for (Writer& writer : writers)
    {
        ASSERT_TRUE(writer.save(false)) << writer.name;
        oldBytes.push_back(ReadBytes(writer.file));
    }
    const std::string got = InMountNamespace(
        [&]() -> std::string
        {
            if (mount(base.c_str(), base.c_str(), nullptr, MS_BIND | MS_REC, nullptr) != 0 ||
                mount(nullptr, base.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            {
                return std::string("SKIP read-only bind mount: ") + std::strerror(errno);
            }
            std::string out;
            for (size_t i = 0; i < writers.size(); ++i)
            {
                if (writers[i].save(true))
                {
                    out += writers[i].name + ": a save reported success on a read-only folder\n";
                }
                if (ReadBytes(writers[i].file) != oldBytes[i])
                {
                    out += writers[i].name + ": the old file changed\n";
                }
            }
            return out;
        });
    if (got.rfind("SKIP ", 0) == 0)
    {
        GTEST_SKIP() << "cannot make a read-only bind mount in a private mount namespace here (" << got.substr(5)
                     << ")";
    }
    EXPECT_EQ(got, "");
    EXPECT_EQ(Temporaries(base), std::vector<std::string>{});
}

} // namespace
