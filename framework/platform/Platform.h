// Platform: the window, input, cursor, message-box and present services the
// application base needs, as one interface. SdlPlatform implements it on SDL2;
// tests use a fake.
//
// Threading: every operation except ShowMessageBox and RequestSystemCursor is
// called from the main thread (the one that created the platform). Those two
// may be called from any thread; from another thread they are recorded and
// carried out by the main thread at its next PumpEvents / ProcessRequests.
//
// Coordinates handed out in InputEvents are client pixels of the logical
// picture (width x height given to CreateMainWindow), also in full screen,
// where the picture is scaled and letterboxed; positions over the bars are
// clamped into the picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Framework
{

struct PlatformRect
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// One queued input event, in the form the widget layer takes.
struct InputEvent
{
    enum class Type
    {
        MouseMove,  // x, y
        MouseDown,  // x, y, clickCount: 1 / 2 left single / double, -1 / -2 right, 3 middle
        MouseUp,    // x, y, clickCount: 1 left, -1 right, 3 middle
        MouseWheel, // delta: notches, positive away from the user
        KeyDown,    // key: virtual-key code 0..254; sysKey when Alt is held
        KeyUp,      // key
        CharTyped,  // key: one byte of the typed text (GBK: a two-byte character arrives as two events)
        MouseEnter, // the pointer entered the client area
        MouseLeave, // the pointer left the client area; x, y last position
    };
    Type type = Type::MouseMove;
    int32_t x = 0;
    int32_t y = 0;
    int32_t clickCount = 0;
    int32_t delta = 0;
    int32_t key = 0;
    bool sysKey = false;
};

// Window-level events; the application base handles them at once (not queued).
struct WindowEvent
{
    enum class Type
    {
        FocusGained,
        FocusLost,
        Minimised,
        Restored,
        Moved,            // x, y: new top-left corner
        Exposed,          // the picture has to be presented whole again
        CloseRequested,   // the system asked the window to close
        ToggleFullScreen, // Alt+Enter
        QuitRequested,    // the session asks the program to end (SIGTERM, logout)
    };
    Type type = Type::FocusGained;
    int32_t x = 0;
    int32_t y = 0;
};

struct WindowSpec
{
    std::string caption;
    int32_t width = 800; // client size (logical picture)
    int32_t height = 600;
    bool fullScreen = false; // desktop full screen, picture letterboxed
    int32_t x = 0;           // top-left when windowed
    int32_t y = 0;
    // The window's icon (title bar and task bar), 0xAARRGGBB rows of
    // iconWidth x iconHeight; empty: the system's default.
    std::vector<uint32_t> icon;
    int32_t iconWidth = 0;
    int32_t iconHeight = 0;
};

// Message-box flags and results (the Windows values the callers use).
enum MessageBoxFlags : uint32_t
{
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum MessageBoxResult : int32_t
{
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

// Cursor numbers of the application: 0 pointer, 1 hand, 2 dragging, 3 text,
// 4 not allowed, 5 move, 6 size NE/SW, 7 size N/S, 8 size NW/SE, 9 size W/E,
// 10 wait, 11 none, 12 custom image only (no system cursor).
constexpr int32_t CursorCount = 13;

class Platform
{
public:
    virtual ~Platform() = default;

    // Starts the video system. False with a reason when no display can be
    // used (the caller reports "Failed to initialize the display: " + reason).
    virtual bool InitVideo(std::string& error) = 0;

    // Work area of the desktop the window lives on (without panels).
    virtual PlatformRect GetWorkArea() = 0;
    // Size of the whole desktop.
    virtual PlatformRect GetDesktopBounds() = 0;

    // Creates the main window (replacing an existing one), hidden. False with a
    // reason when it cannot be created in the asked mode.
    virtual bool CreateMainWindow(const WindowSpec& spec, std::string& error) = 0;
    virtual void DestroyMainWindow() = 0;
    virtual bool HasMainWindow() const = 0;
    virtual bool IsFullScreen() const = 0;
    virtual void ShowMainWindow() = 0;
    virtual void HideMainWindow() = 0;
    // Restores a minimised window and brings it to the front.
    virtual void RaiseMainWindow() = 0;
    virtual void MinimiseMainWindow() = 0;
    virtual bool GetWindowPosition(int32_t& x, int32_t& y) = 0;
    virtual void SetWindowPosition(int32_t x, int32_t y) = 0;
    // Rows 0 .. height-1 of the client area drag the window, except the columns
    // excludeLeft .. excludeRight-1. Height 0 turns dragging off. Windowed only.
    virtual void SetDragBand(int32_t height, int32_t excludeLeft, int32_t excludeRight) = 0;

    // Moves every waiting system event into the two lists (appending).
    virtual void PumpEvents(std::vector<InputEvent>& input, std::vector<WindowEvent>& window) = 0;
    // Carries out requests other threads recorded (message boxes, cursors).
    virtual void ProcessRequests() = 0;
    // Waits up to ms for a system event (input, a window event), ending at
    // once when one arrives; the events stay for PumpEvents. False, without
    // waiting, where the display cannot be waited on: the caller sleeps.
    virtual bool WaitForEvents(uint32_t /*ms*/) { return false; }

    // Text input (typed characters from the keyboard layout / input method).
    virtual void SetTextInput(bool on) = 0;
    // Whether the desktop's screen saver may start while the program runs.
    virtual void SetScreenSaverAllowed(bool allowed) = 0;

    // Shows cursor number 0..12 from the system's shapes (hand and dragging
    // hand drawn by us); 11 and 12 hide the pointer. Any thread.
    virtual void RequestSystemCursor(int32_t number) = 0;
    // Shows a colour cursor made from 0xAARRGGBB pixels with its hot spot;
    // null pixels return to the system cursor last asked for.
    virtual void SetImageCursor(const uint32_t* pixels, int32_t width, int32_t height, int32_t hotX, int32_t hotY) = 0;

    // Copies the given rectangles of the picture (width x height words with
    // the given pitch in words) to the window, scaling in full screen. An empty
    // list or a needed full update presents the whole picture. False when the
    // window cannot be drawn to.
    virtual bool Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitchWords,
                         const std::vector<PlatformRect>& rects) = 0;

    // Message box; returns IDOK / IDCANCEL / IDYES / IDNO. Without a display
    // the caption and text go to standard error and the default (first)
    // button is the answer. Any thread.
    virtual int32_t ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags) = 0;

    // Refresh rate of the display the window is on, in Hz; 0 when unknown.
    virtual int32_t GetRefreshRate() = 0;

    // Name of the video driver in use ("x11", "wayland", "dummy", ...).
    virtual std::string VideoDriver() const = 0;
};

} // namespace Framework
