#include "src/screens/players/AvatarBrowser.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "framework/app/AppBase.h"
#include "framework/graphics/ImageLoader.h"
#include "framework/platform/FileReplace.h"
#include "framework/platform/Platform.h"
#include "framework/platform/QuitSignals.h"
#include "src/core/UserPaths.h"
#include "src/profiles/PlayerRecord.h"
#include "src/screens/common/ScreenMode.h"

extern char** environ;

namespace
{

constexpr const char* StoredPrefix = "images\\avatar\\";
// A chooser prints one path; anything longer than this is not one we take.
constexpr std::size_t MaxChooserOutput = 64 * 1024;

class Pipe
{
public:
    Pipe()
    {
        if (::pipe2(fds, O_CLOEXEC) != 0)
        {
            fds[0] = fds[1] = -1;
        }
    }
    ~Pipe()
    {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool Valid() const { return fds[0] >= 0; }
    int Read() const { return fds[0]; }
    int Write() const { return fds[1]; }
    void CloseRead() { Close(fds[0]); }
    void CloseWrite() { Close(fds[1]); }

private:
    static void Close(int& fd)
    {
        if (fd >= 0)
        {
            ::close(fd);
            fd = -1;
        }
    }
    int fds[2] = {-1, -1};
};

class SpawnActions
{
public:
    SpawnActions() { ok = ::posix_spawn_file_actions_init(&actions) == 0; }
    ~SpawnActions()
    {
        if (ok)
        {
            ::posix_spawn_file_actions_destroy(&actions);
        }
    }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    bool ok = false;
    posix_spawn_file_actions_t actions{};
};

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

AvatarBrowser::AvatarBrowser(Framework::AppBase& application) : app(application) {}

AvatarBrowser::Result AvatarBrowser::Browse(std::string& storedPath)
{
    SetWindowedMode(app, true);
    Result result = Result::Unavailable;
    std::string stored;
    if (!app.demoPlayback)
    {
        const std::string chooser = FindChooser();
        if (!chooser.empty())
        {
            app.RedrawWindow();
            std::string chosen;
            if (!RunChooser(chooser, chosen))
            {
                result = Result::Cancelled;
            }
            else
            {
                // Imported pictures belong to the user; the program's tree
                // is only read.
                result = CopyIntoAvatars(Game::UserDataDir(), chosen, stored) ? Result::Imported : Result::Failed;
            }
        }
    }
    else
    {
        // A demo played back runs no chooser and copies nothing: what the
        // window drew while the recording's chooser was open, and what
        // came of it, are in the demo.
        app.DemoReplayUntilAnswer();
    }
    const int64_t outcome = app.DemoAnswerValue(Framework::DemoAnswer::Import, static_cast<int64_t>(result));
    stored = app.DemoAnswerText(Framework::DemoAnswer::Chooser, stored);
    result = outcome >= static_cast<int64_t>(Result::Imported) && outcome <= static_cast<int64_t>(Result::Failed)
                 ? static_cast<Result>(outcome)
                 : Result::Failed;
    if (result == Result::Unavailable)
    {
        ReportUnavailable();
    }
    if (result == Result::Imported)
    {
        if (stored.empty() || stored.size() >= PathBufferSize)
        {
            return Result::Failed;
        }
        storedPath = stored;
    }
    return result;
}

std::string AvatarBrowser::FindChooser()
{
    const char* searchPath = std::getenv("PATH");
    return FindProgram(searchPath != nullptr ? searchPath : "/usr/bin:/bin", {"zenity", "kdialog", "yad"});
}

void AvatarBrowser::WhileChooserRuns()
{
    app.DrawWithoutInput();
}

void AvatarBrowser::ReportUnavailable()
{
    app.ShowMessageBox("Pictures cannot be imported: no file chooser (zenity, kdialog or yad) is installed.", Title,
                       Framework::MB_OK | Framework::MB_ICONINFORMATION);
}

std::string AvatarBrowser::FindProgram(const std::string& searchPath, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
    {
        std::size_t start = 0;
        while (start <= searchPath.size())
        {
            std::size_t end = searchPath.find(':', start);
            if (end == std::string::npos)
            {
                end = searchPath.size();
            }
            // An empty entry is the working directory; a chooser is never
            // taken from there.
            const std::string directory = searchPath.substr(start, end - start);
            if (!directory.empty() && directory.front() == '/')
            {
                const std::string candidate = directory + "/" + name;
                struct stat info
                {
                };
                if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                    ::access(candidate.c_str(), X_OK) == 0)
                {
                    return candidate;
                }
            }
            start = end + 1;
        }
    }
    return {};
}

std::vector<std::string> AvatarBrowser::ChooserArguments(const std::string& chooserName,
                                                         const std::string& startDirectory)
{
    const std::string patterns = "*.jpg *.png *.gif *.JPG *.PNG *.GIF";
    if (chooserName == "kdialog")
    {
        return {"--title", Title, "--getopenfilename", startDirectory, patterns + "|" + FilterName};
    }
    if (chooserName == "yad")
    {
        return {"--file", std::string("--title=") + Title,
                std::string("--file-filter=") + FilterName + " | " + patterns};
    }
    return {"--file-selection", std::string("--title=") + Title,
            std::string("--file-filter=") + FilterName + " | " + patterns};
}

bool AvatarBrowser::RunChooser(const std::string& chooserPath, std::string& chosen)
{
    std::error_code error;
    const std::string startDirectory = std::filesystem::current_path(error).string();
    std::vector<std::string> arguments = ChooserArguments(BaseName(chooserPath), startDirectory);
    arguments.insert(arguments.begin(), chooserPath);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
    {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    Pipe output;
    SpawnActions spawnActions;
    if (!output.Valid() || !spawnActions.ok ||
        ::posix_spawn_file_actions_addopen(&spawnActions.actions, 0, "/dev/null", O_RDONLY, 0) != 0 ||
        ::posix_spawn_file_actions_adddup2(&spawnActions.actions, output.Write(), 1) != 0)
    {
        return false;
    }
    pid_t child = -1;
    if (::posix_spawn(&child, chooserPath.c_str(), &spawnActions.actions, nullptr, argv.data(), environ) != 0)
    {
        return false;
    }
    output.CloseWrite();

    std::string text;
    char buffer[4096];
    bool stopped = false;
    while (true)
    {
        pollfd ready{output.Read(), POLLIN, 0};
        const int events = ::poll(&ready, 1, 20);
        if (events == 0 || (events < 0 && errno == EINTR))
        {
            // A logout or Ctrl+C ends the chooser too, so the loop can leave.
            if (Framework::QuitSignals::Pending() != 0)
            {
                ::kill(child, SIGTERM);
                stopped = true;
                break;
            }
            WhileChooserRuns();
            continue;
        }
        const ssize_t got = ::read(output.Read(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
        {
            continue;
        }
        if (got <= 0)
        {
            break;
        }
        if (text.size() < MaxChooserOutput)
        {
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }
    output.CloseRead();
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    if (stopped || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    {
        return false;
    }
    const std::size_t lineEnd = text.find('\n');
    chosen = text.substr(0, lineEnd);
    return !chosen.empty();
}

bool AvatarBrowser::CopyIntoAvatars(const std::filesystem::path& userDirectory, const std::string& chosen,
                                    std::string& storedPath)
{
    namespace fs = std::filesystem;
    // The chosen path, the destination and the stored form each have to fit
    // their buffers with the terminating zero. A zero byte inside the answer
    // would make the system open a shorter path than the one checked here.
    if (chosen.empty() || chosen.size() >= PathBufferSize || chosen.find('\0') != std::string::npos)
    {
        return false;
    }
    const std::string name = BaseName(chosen);
    // A backslash would split the stored form into more folders.
    if (name.empty() || name.find('\\') != std::string::npos)
    {
        return false;
    }
    const std::string destination = userDirectory.string() + "/images/avatar/" + name;
    const std::string stored = StoredPrefix + name;
    if (destination.size() >= PathBufferSize || stored.size() >= PlayerRecord::AvatarPathSize)
    {
        return false;
    }
    // Only a regular file of a picture's size is taken: the chooser's answer
    // may name a FIFO or a device.
    std::vector<uint8_t> bytes;
    if (!Framework::ReadRegularFile(chosen, Framework::ImageLoader::MaxFileBytes, bytes))
    {
        return false;
    }
    std::error_code error;
    fs::create_directories(fs::path(destination).parent_path(), error);
    // A picture already in the avatar folder is taken as it is. Any other is
    // replaced whole, so a kill or a full disk never leaves half a picture
    // in the avatar list.
    if (!fs::equivalent(chosen, destination, error))
    {
        std::string why;
        if (!Framework::ReplaceFile(destination, std::span<const unsigned char>(bytes.data(), bytes.size()), why))
        {
            return false;
        }
    }
    storedPath = stored;
    return true;
}
