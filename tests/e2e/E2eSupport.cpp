#include "E2eSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace E2e {

bool OnPath(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string MissingTool(std::initializer_list<const char*> tools)
{
    for (const char* tool : tools)
        if (!OnPath(tool))
            return tool;
    return "";
}

pid_t Spawn(const std::vector<std::string>& args, const SpawnOptions& options)
{
    if (args.empty())
        return -1;
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    for (const std::string& e : options.environment)
    {
        if (e.empty())
            continue;
        if (e[0] == '-')
            unsetenv(e.c_str() + 1);
        else
        {
            const size_t eq = e.find('=');
            setenv(e.substr(0, eq).c_str(), eq == std::string::npos ? "" : e.c_str() + eq + 1, 1);
        }
    }
    const int log = open(options.logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (log >= 0)
    {
        dup2(log, 1);
        dup2(log, 2);
    }
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0)
        dup2(devNull, 0);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != options.keepFd)
            close(fd);
    if (options.inChild)
        options.inChild();
    execvp(argv[0], argv.data());
    _exit(127);
}

pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment,
            const std::string& logFile, int keepFd)
{
    SpawnOptions options;
    options.environment = environment;
    options.logFile = logFile;
    options.keepFd = keepFd;
    return Spawn(args, options);
}

void Stop(pid_t& pid, std::chrono::milliseconds grace)
{
    if (pid <= 0)
        return;
    if (grace.count() > 0)
    {
        kill(pid, SIGTERM);
        if (WaitExit(pid, grace).ended)
            return;
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

Exit WaitExit(pid_t& pid, std::chrono::milliseconds limit)
{
    Exit exit;
    if (pid <= 0)
        return exit;
    int status = 0;
    if (!WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limit, 10ms))
        return exit;
    pid = -1;
    exit.ended = true;
    if (WIFEXITED(status))
        exit.code = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        exit.signal = WTERMSIG(status);
    return exit;
}

std::string Describe(const Exit& exit)
{
    if (!exit.ended)
        return "still running";
    if (exit.signal != 0)
        return std::string("ended by signal ") + std::to_string(exit.signal) + " (" + strsignal(exit.signal) + ")";
    return "exited with " + std::to_string(exit.code);
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return ""; // a FIFO in a file's place would block the reader
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

size_t Count(const std::string& text, const std::string& needle)
{
    size_t n = 0;
    if (needle.empty())
        return n;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++n;
    return n;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit, std::chrono::milliseconds step)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end)
    {
        if (done())
            return true;
        std::this_thread::sleep_for(step);
    }
    return done();
}

bool Log::Has(const std::string& text, std::chrono::milliseconds limit) const
{
    return WaitFor([&] { return Text().find(text) != std::string::npos; }, limit);
}

Exit QuitWhenLogged(pid_t& pid, const Log& log, const std::string& text, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    bool asked = false;
    Exit exit;
    while (!(exit = WaitExit(pid, 50ms)).ended && std::chrono::steady_clock::now() < end)
    {
        if (!asked && log.Text().find(text) != std::string::npos)
        {
            kill(pid, SIGTERM);
            asked = true;
        }
    }
    return exit;
}

uint32_t Shot::At(int x, int y) const
{
    if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height)
        return 0xFFFFFFFFu;
    return image->pixels[size_t(y) * size_t(image->width) + size_t(x)] & 0xFFFFFFu;
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

std::string Hex(uint32_t rgb)
{
    char text[16];
    std::snprintf(text, sizeof(text), "#%06X", rgb & 0xFFFFFFu);
    return text;
}

std::string XServer::Start(const std::filesystem::path& logFolder, int width, int height, bool windowManager)
{
    Stop();
    folder = logFolder;
    screenWidth = width;
    screenHeight = height;
    std::filesystem::create_directories(folder);
    // Xvfb picks a free display itself and writes its number to the pipe.
    int fds[2];
    if (pipe(fds) != 0)
        return std::string("no pipe: ") + std::strerror(errno);
    xvfb = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                  std::to_string(width) + "x" + std::to_string(height) + "x24", "-nolisten", "tcp"},
                 {}, (folder / "xvfb.log").string(), fds[1]);
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
    {
        E2e::Stop(xvfb, 0ms);
        return "Xvfb could not start: " + ReadFile(folder / "xvfb.log");
    }
    display = ":" + number;
    if (windowManager)
    {
        wm = Spawn({"jwm"}, {"DISPLAY=" + display}, (folder / "jwm.log").string());
        // jwm manages the screen once it has published its desktops.
        if (!WaitFor([&] { return !Run("xdotool get_num_desktops").empty(); }, 10s))
            return "jwm did not start: " + ReadFile(folder / "jwm.log");
    }
    return "";
}

void XServer::Stop()
{
    E2e::Stop(wm);
    E2e::Stop(xvfb);
    display.clear();
}

std::vector<std::string> XServer::ProgramEnvironment() const
{
    return {"DISPLAY=" + display, "-SDL_VIDEODRIVER", "-WAYLAND_DISPLAY", "SDL_AUDIODRIVER=dummy"};
}

std::string XServer::Run(const std::string& command) const
{
    std::string output;
    FILE* pipe = popen(("DISPLAY=" + display + " timeout 20 " + command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return output;
    char buffer[256];
    while (fgets(buffer, sizeof(buffer), pipe))
        output += buffer;
    pclose(pipe);
    return output;
}

std::vector<std::string> XServer::FindWindows(const std::string& pattern) const
{
    std::istringstream ids(Run("xdotool search --onlyvisible --name '" + pattern + "'"));
    std::vector<std::string> windows;
    for (std::string id; std::getline(ids, id);)
        if (!id.empty())
            windows.push_back(id);
    return windows;
}

std::string XServer::FindWindow(const std::string& pattern) const
{
    // A window the window manager is still framing may not answer for its
    // size at once: a few looks before giving up on those found.
    for (int look = 0; look < 5; ++look)
    {
        const std::vector<std::string> windows = FindWindows(pattern);
        for (const std::string& window : windows)
        {
            // The program's window is 800 x 600 or fills the screen; the
            // window manager's frame around it is larger than either.
            const Geometry g = GetGeometry(window);
            if ((g.width == 800 && g.height == 600) || (g.width == screenWidth && g.height == screenHeight))
                return window;
        }
        if (windows.empty())
            break;
        std::this_thread::sleep_for(100ms);
    }
    return "";
}

Geometry XServer::GetGeometry(const std::string& window) const
{
    Geometry g;
    std::istringstream lines(Run("xdotool getwindowgeometry --shell " + window));
    for (std::string line; std::getline(lines, line);)
    {
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        if (key == "X")
            g.x = value;
        else if (key == "Y")
            g.y = value;
        else if (key == "WIDTH")
            g.width = value;
        else if (key == "HEIGHT")
            g.height = value;
    }
    return g;
}

std::string XServer::Pixel(const std::string& window, int x, int y) const
{
    const std::string out = Run("import -window " + window + " -crop 1x1+" + std::to_string(x) + "+" +
                                std::to_string(y) + " txt:-");
    // "0,0: (r,g,b)  #hex  name" with 16-bit channels.
    const size_t open = out.find(": (");
    int r = 0, g = 0, b = 0;
    if (open == std::string::npos || std::sscanf(out.c_str() + open + 3, "%d,%d,%d", &r, &g, &b) != 3)
        return "";
    return std::to_string(r / 257) + "," + std::to_string(g / 257) + "," + std::to_string(b / 257);
}

std::string XServer::Region(const std::string& window, int x, int y, int w, int h) const
{
    return Run("import -window " + window + " -crop " + std::to_string(w) + "x" + std::to_string(h) + "+" +
               std::to_string(x - w / 2) + "+" + std::to_string(y - h / 2) + " +repage rgb:- | md5sum");
}

bool XServer::Settled(const std::string& window, int x, int y, std::chrono::milliseconds limit) const
{
    std::string last = Region(window, x, y);
    int same = 0;
    return WaitFor(
        [&]
        {
            const std::string now = Region(window, x, y);
            same = !now.empty() && now == last ? same + 1 : 0;
            last = now;
            return same >= 2;
        },
        limit);
}

bool XServer::Capture(const std::string& window, Shot& shot, const std::filesystem::path& keep) const
{
    const std::filesystem::path file =
        keep.empty() ? folder / ("capture" + std::to_string(captures++) + ".png") : keep;
    Run("import -window " + window + " -depth 8 PNG24:" + file.string());
    shot.image = Framework::ImageLoader::LoadImageFile(file.string(), false);
    if (keep.empty())
    {
        std::error_code error;
        std::filesystem::remove(file, error);
    }
    return shot.image != nullptr;
}

std::string XServer::Screenshot(const std::string& window, const std::filesystem::path& file) const
{
    Run("import -window " + window + " " + file.string());
    return file.string();
}

void XServer::Click(const std::string& window, int x, int y, int button) const
{
    Run("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) + " click " +
        std::to_string(button));
}

void XServer::Activate(const std::string& window) const
{
    Run("xdotool windowactivate --sync " + window);
}

} // namespace E2e
