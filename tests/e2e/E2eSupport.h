#pragma once
// What the end-to-end tests share: starting and stopping child processes
// (with environment changes and a hook that runs in the child before exec),
// waiting with a time limit, reading files and logs, and a private X server
// (Xvfb, optionally with jwm) with xdotool and ImageMagick's import for
// windows, clicks, pixels and screenshots.
//
// Nothing here knows GoogleTest: a helper that cannot work returns an empty
// answer or a reason, and the test decides whether to skip or fail.
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/ImageLoader.h"

namespace E2e {

using namespace std::chrono_literals;

// ---- processes and files ----------------------------------------------------

bool OnPath(const std::string& program);
// The first of tools that is not installed, or "".
std::string MissingTool(std::initializer_list<const char*> tools);

struct SpawnOptions
{
    // "NAME=value" sets a variable in the child, "-NAME" removes it.
    std::vector<std::string> environment;
    // Standard output and error are appended here ("/dev/null" by default).
    std::string logFile = "/dev/null";
    // A descriptor the child keeps open (every other one above 2 is closed).
    int keepFd = -1;
    // Runs in the child just before exec (resource limits, signal dispositions).
    std::function<void()> inChild;
};

// Starts args[0] (searched on PATH) with args; the child's pid, or -1.
pid_t Spawn(const std::vector<std::string>& args, const SpawnOptions& options);
pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment,
            const std::string& logFile = "/dev/null", int keepFd = -1);

// SIGTERM, then SIGKILL when the process has not ended within grace (at once
// for a grace of 0); reaps it and sets pid to -1. Nothing for pid <= 0.
void Stop(pid_t& pid, std::chrono::milliseconds grace = 2s);

// How a child ended.
struct Exit
{
    bool ended = false; // false: still running when the time was up
    int code = -1; // exit code when it exited
    int signal = 0; // the signal that ended it, or 0
};
// Waits up to limit for the child; once it has ended pid is set to -1.
Exit WaitExit(pid_t& pid, std::chrono::milliseconds limit);
std::string Describe(const Exit& exit);

// A whole regular file, bytes as they are; "" when it cannot be read or is
// something else (a folder, a FIFO).
std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
size_t Count(const std::string& text, const std::string& needle);

// Polls done() every step until it holds or the time is up; its last answer.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 15s,
             std::chrono::milliseconds step = 50ms);

// A program's log file (its standard output and error).
class Log
{
public:
    Log() = default;
    explicit Log(std::filesystem::path file) : path(std::move(file)) {}
    const std::filesystem::path& Path() const { return path; }
    std::string Text() const { return ReadFile(path); }
    size_t Count(const std::string& text) const { return E2e::Count(Text(), text); }
    bool Has(const std::string& text, std::chrono::milliseconds limit = 15s) const;

private:
    std::filesystem::path path;
};

// Waits up to limit for the child's end, asking it to quit (SIGTERM) once
// its log shows text: a run then takes only as long as it needs to get there.
Exit QuitWhenLogged(pid_t& pid, const Log& log, const std::string& text, std::chrono::milliseconds limit);

// ---- screenshots --------------------------------------------------------------

// 0xRRGGBB words of a captured picture; 0xFFFFFFFF outside it.
struct Shot
{
    std::shared_ptr<const Framework::ImageLoader::LoadedImage> image; // shared: shots are copied
    int Width() const { return image ? image->width : 0; }
    int Height() const { return image ? image->height : 0; }
    uint32_t At(int x, int y) const;
};

// Each channel of a and b within tolerance of the other's.
bool Near(uint32_t a, uint32_t b, int tolerance);
std::string Hex(uint32_t rgb);

// The play field's grid as the game and the sprite gallery draw it: the
// field at (15, 37), cells 31 pixels from 5 pixels in, odd rows half a cell
// to the right.
constexpr int FieldX = 15;
constexpr int FieldY = 37;
inline int CellCentreX(int row, int column)
{
    return FieldX + 5 + column * 31 + (row % 2 == 1 ? 15 : 0) + 15;
}
inline int CellCentreY(int row)
{
    return FieldY + row * 31 + 15;
}

// ---- a private X server -------------------------------------------------------

struct Geometry
{
    int x = -1;
    int y = -1;
    int width = 0;
    int height = 0;
};

// The caption of the game's window ("Frothwick - ...") and the gallery's.
inline constexpr const char* ProgramWindows = "^Frothwick( - .*)?$";

class XServer
{
public:
    XServer() = default;
    ~XServer() { Stop(); }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Starts Xvfb (width x height, 24 bits) on a free display, with jwm when
    // asked, logging into folder. "" when it runs, else why it does not.
    std::string Start(const std::filesystem::path& folder, int width, int height, bool windowManager);
    void Stop();
    const std::string& Display() const { return display; }

    // The environment a program needs to open its window here: this display,
    // no Wayland, no video driver override, dummy audio.
    std::vector<std::string> ProgramEnvironment() const;

    // Runs an X client command on this display (with a 20 s limit); its
    // standard output.
    std::string Run(const std::string& command) const;

    // Visible windows whose name matches the pattern, topmost last.
    std::vector<std::string> FindWindows(const std::string& pattern = ProgramWindows) const;
    // The first of them that is 800 x 600 or fills the screen: the program's
    // own window, never its small start-up picture (which may still show
    // when the main window appears, and vanishes under a click) nor a
    // window manager's frame.
    std::string FindWindow(const std::string& pattern = ProgramWindows) const;
    Geometry GetGeometry(const std::string& window) const;

    // One pixel as "r,g,b", "" when it cannot be read.
    std::string Pixel(const std::string& window, int x, int y) const;
    // A hash of the w x h region centred on (x, y).
    std::string Region(const std::string& window, int x, int y, int w = 64, int h = 24) const;
    // Waits until the region around (x, y) holds still over three looks:
    // whatever fades, grows or slides there is done.
    bool Settled(const std::string& window, int x, int y, std::chrono::milliseconds limit = 15s) const;
    // The window's picture as decoded pixels (kept as file when given).
    bool Capture(const std::string& window, Shot& shot, const std::filesystem::path& keep = {}) const;
    // The window's picture saved as a PNG file; its path.
    std::string Screenshot(const std::string& window, const std::filesystem::path& file) const;

    // Moves the pointer to (x, y) of the window and clicks button.
    void Click(const std::string& window, int x, int y, int button = 1) const;
    void Activate(const std::string& window) const;

private:
    std::filesystem::path folder;
    std::string display;
    pid_t xvfb = -1;
    pid_t wm = -1;
    mutable int captures = 0;
    int screenWidth = 0;
    int screenHeight = 0;
};

} // namespace E2e
