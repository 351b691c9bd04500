#include "framework/platform/SdlPlatform.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "framework/platform/Letterbox.h"
#include "framework/platform/TextConverter.h"
#include "framework/platform/VirtualKeys.h"

namespace Framework
{

namespace
{

bool EnvSet(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v;
}

// 32 x 32 monochrome cursors drawn by us: 'X' black, '.' white, blank clear.
struct CursorArt
{
    int32_t originX, originY, hotX, hotY;
    std::array<const char*, 18> rows;
};

const CursorArt handArt = {6,
                           3,
                           11,
                           4,
                           {"     XX         ", "    X..X        ", "    X..X        ", "    X..X        ",
                            "    X..XXX      ", "    X..X..XXX   ", "    X..X..X..XX ", " XX X..X..X..X.X",
                            "X..XX........X.X", "X...X..........X", " X.............X", "  X............X",
                            "  X...........X ", "   X..........X ", "   X.........X  ", "    X........X  ",
                            "    X........X  ", "    XXXXXXXXXX  "}};
const CursorArt draggingArt = {8,
                               5,
                               15,
                               10,
                               {"    XX XX XX    ", "   X..X..X..XX  ", "   X.........X.X", " XXX...........X",
                                "X..X...........X", "X..............X", " X.............X", "  X............X",
                                "  X...........X ", "   X..........X ", "   X.........X  ", "    X........X  ",
                                "    X........X  ", "    XXXXXXXXXX  ", nullptr, nullptr, nullptr, nullptr}};

SDL_Cursor* MakeMonochromeCursor(const CursorArt& art)
{
    std::array<uint8_t, 128> data{};
    std::array<uint8_t, 128> mask{};
    for (size_t r = 0; r < art.rows.size() && art.rows[r]; ++r)
    {
        const char* row = art.rows[r];
        for (size_t c = 0; row[c]; ++c)
        {
            int32_t x = art.originX + static_cast<int32_t>(c);
            int32_t y = art.originY + static_cast<int32_t>(r);
            if (x >= 32 || y >= 32 || row[c] == ' ')
            {
                continue;
            }
            size_t byte = size_t(y) * 4 + size_t(x) / 8;
            uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            mask[byte] |= bit;
            if (row[c] == 'X')
            {
                data[byte] |= bit;
            }
        }
    }
    return SDL_CreateCursor(data.data(), mask.data(), 32, 32, art.hotX, art.hotY);
}

struct MessageRequest
{
    std::string text, caption;
    uint32_t flags = 0;
    int32_t result = 0;
    bool done = false;
};

} // namespace

struct SdlPlatform::Impl
{
    std::thread::id mainThread = std::this_thread::get_id();
    bool videoInit = false;
    bool headless = true; // dummy / offscreen driver: no real display
    SDL_Window* window = nullptr;
    bool fullScreen = false;
    int32_t logicalW = 800, logicalH = 600;
    bool needFullUpdate = true;
    int32_t dragHeight = 0, dragExcludeLeft = 0, dragExcludeRight = 0;
    bool textInput = false;
    uint16_t heldMods = 0;
    uint64_t lastPump = 0; // performance counter at the last read of the display connection

    std::array<SDL_Cursor*, CursorCount> cursors{};
    SDL_Cursor* imageCursor = nullptr;
    int32_t systemCursor = 0;
    bool showingImageCursor = false;

    TextConverter toGbk{"GBK", "UTF-8"};
    std::vector<uint32_t> scratch; // scaled picture for surfaces of other formats

    std::mutex requestLock;
    std::condition_variable requestDone;
    int32_t pendingCursor = -1;
    std::deque<MessageRequest*> pendingMessages;

    bool OnMainThread() const { return std::this_thread::get_id() == mainThread; }

    LetterboxPlacement Placement() const
    {
        int w = logicalW, h = logicalH;
        if (window)
        {
            SDL_GetWindowSize(window, &w, &h);
        }
        return ComputeLetterbox(logicalW, logicalH, w, h);
    }

    void ToPicture(int32_t wx, int32_t wy, int32_t& x, int32_t& y) const
    {
        if (!fullScreen)
        {
            x = wx;
            y = wy;
            return;
        }
        TargetToPicture(wx, wy, logicalW, logicalH, Placement(), x, y);
    }

    void ApplySystemCursor(int32_t number)
    {
        systemCursor = number;
        if (showingImageCursor)
        {
            return;
        }
        if (number == 11 || number == 12)
        {
            SDL_ShowCursor(SDL_DISABLE);
            return;
        }
        if (number < 0 || number >= CursorCount)
        {
            number = 0;
        }
        if (!cursors[size_t(number)])
        {
            SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
            switch (number)
            {
                case 1:
                    cursors[1] = MakeMonochromeCursor(handArt);
                    break;
                case 2:
                    cursors[2] = MakeMonochromeCursor(draggingArt);
                    break;
                case 3:
                    id = SDL_SYSTEM_CURSOR_IBEAM;
                    break;
                case 4:
                    id = SDL_SYSTEM_CURSOR_NO;
                    break;
                case 5:
                    id = SDL_SYSTEM_CURSOR_SIZEALL;
                    break;
                case 6:
                    id = SDL_SYSTEM_CURSOR_SIZENESW;
                    break;
                case 7:
                    id = SDL_SYSTEM_CURSOR_SIZENS;
                    break;
                case 8:
                    id = SDL_SYSTEM_CURSOR_SIZENWSE;
                    break;
                case 9:
                    id = SDL_SYSTEM_CURSOR_SIZEWE;
                    break;
                case 10:
                    id = SDL_SYSTEM_CURSOR_WAIT;
                    break;
                default:
                    break;
            }
            if (!cursors[size_t(number)])
            {
                cursors[size_t(number)] = SDL_CreateSystemCursor(id);
            }
        }
        if (cursors[size_t(number)])
        {
            SDL_SetCursor(cursors[size_t(number)]);
        }
        SDL_ShowCursor(SDL_ENABLE);
    }

    int32_t ShowBoxNow(const std::string& text, const std::string& caption, uint32_t flags)
    {
        const bool yesNo = (flags & 0xF) == MB_YESNO;
        const bool okCancel = (flags & 0xF) == MB_OKCANCEL;
        const int32_t fallback = yesNo ? IDYES : IDOK;
        if (videoInit && !headless)
        {
            SDL_MessageBoxButtonData buttons[2];
            int count = 1;
            if (yesNo)
            {
                buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"};
                buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"};
                count = 2;
            }
            else if (okCancel)
            {
                buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"};
                buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"};
                count = 2;
            }
            else
            {
                buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK,
                              "OK"};
            }
            uint32_t icon = SDL_MESSAGEBOX_INFORMATION;
            if ((flags & 0xF0) == MB_ICONERROR)
            {
                icon = SDL_MESSAGEBOX_ERROR;
            }
            else if ((flags & 0xF0) == MB_ICONWARNING)
            {
                icon = SDL_MESSAGEBOX_WARNING;
            }
            SDL_MessageBoxData data{icon, window, caption.c_str(), text.c_str(), count, buttons, nullptr};
            int pressed = -1;
            if (SDL_ShowMessageBox(&data, &pressed) == 0)
            {
                if (pressed > 0)
                {
                    return pressed;
                }
                return yesNo ? IDNO : okCancel ? IDCANCEL : IDOK; // closed without a button
            }
        }
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        std::fflush(stderr);
        return fallback;
    }

    void TypedText(const char* utf8, std::vector<InputEvent>& input)
    {
        if (!toGbk.Valid())
        {
            return;
        }
        // One character at a time so that a character GBK lacks is dropped
        // alone (EILSEQ) and the rest of the text still arrives.
        const char* p = utf8;
        while (*p)
        {
            size_t len = 1;
            unsigned char lead = static_cast<unsigned char>(*p);
            if (lead >= 0xF0)
            {
                len = 4;
            }
            else if (lead >= 0xE0)
            {
                len = 3;
            }
            else if (lead >= 0xC0)
            {
                len = 2;
            }
            len = std::min(len, std::strlen(p));
            std::string out;
            if (toGbk.Convert(std::string(p, len), out))
            {
                for (const char b : out)
                {
                    unsigned char byte = static_cast<unsigned char>(b);
                    if (byte >= 32 && byte != 127)
                    {
                        InputEvent e;
                        e.type = InputEvent::Type::CharTyped;
                        e.key = byte;
                        input.push_back(e);
                    }
                }
            }
            p += len;
        }
    }
};

SdlPlatform::SdlPlatform() : impl(std::make_unique<Impl>()) {}

SdlPlatform::~SdlPlatform()
{
    DestroyMainWindow();
    for (SDL_Cursor*& c : impl->cursors)
    {
        if (c)
        {
            SDL_FreeCursor(c);
        }
    }
    if (impl->imageCursor)
    {
        SDL_FreeCursor(impl->imageCursor);
    }
    if (impl->videoInit)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool SdlPlatform::DisplayAvailableFromEnvironment()
{
    return EnvSet("SDL_VIDEODRIVER") || EnvSet("DISPLAY") || EnvSet("WAYLAND_DISPLAY");
}

bool SdlPlatform::InitVideo(std::string& error)
{
    if (impl->videoInit)
    {
        return true;
    }
    if (!DisplayAvailableFromEnvironment())
    {
        error = "no display to open (DISPLAY and WAYLAND_DISPLAY are not set)";
        return false;
    }
    // Plain shared-memory window surfaces; an OpenGL-backed one costs several
    // times more on machines without a GPU.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Ctrl+C and SIGTERM end the program the ordinary way instead of becoming
    // a close request the game ignores.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        error = SDL_GetError();
        return false;
    }
    impl->videoInit = true;
    const char* driver = SDL_GetCurrentVideoDriver();
    std::string name = driver ? driver : "";
    impl->headless = name == "dummy" || name == "offscreen";
    if (impl->headless && !EnvSet("SDL_VIDEODRIVER"))
    {
        error = "no display available (SDL fell back to the \"" + name + "\" driver)";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        impl->videoInit = false;
        return false;
    }
    // SDL starts with text input on: it stays on only for a focused field.
    if (impl->textInput)
    {
        SDL_StartTextInput();
    }
    else
    {
        SDL_StopTextInput();
    }
    return true;
}

int32_t SdlPlatform::GetRefreshRate()
{
    if (!impl->videoInit)
    {
        return 0;
    }
    SDL_DisplayMode mode{};
    int display = impl->window ? SDL_GetWindowDisplayIndex(impl->window) : 0;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0)
    {
        return 0;
    }
    return mode.refresh_rate;
}

std::string SdlPlatform::VideoDriver() const
{
    const char* driver = impl->videoInit ? SDL_GetCurrentVideoDriver() : nullptr;
    return driver ? driver : "";
}

PlatformRect SdlPlatform::GetWorkArea()
{
    SDL_Rect r{0, 0, 0, 0};
    int display = impl->window ? SDL_GetWindowDisplayIndex(impl->window) : 0;
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &r) != 0)
    {
        return GetDesktopBounds();
    }
    return {r.x, r.y, r.w, r.h};
}

PlatformRect SdlPlatform::GetDesktopBounds()
{
    SDL_Rect r{0, 0, 0, 0};
    int display = impl->window ? SDL_GetWindowDisplayIndex(impl->window) : 0;
    if (display < 0 || SDL_GetDisplayBounds(display, &r) != 0)
    {
        return {0, 0, 0, 0};
    }
    return {r.x, r.y, r.w, r.h};
}

bool SdlPlatform::CreateMainWindow(const WindowSpec& spec, std::string& error)
{
    DestroyMainWindow();
    if (!impl->videoInit)
    {
        error = "the video system is not started";
        return false;
    }
    uint32_t flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    int x = spec.x, y = spec.y;
    if (spec.fullScreen)
    {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        x = y = SDL_WINDOWPOS_UNDEFINED;
    }
    impl->window = SDL_CreateWindow(spec.caption.c_str(), x, y, spec.width, spec.height, flags);
    if (!impl->window)
    {
        error = SDL_GetError();
        return false;
    }
    if (!spec.icon.empty() && spec.iconWidth > 0 && spec.iconHeight > 0 &&
        spec.icon.size() == size_t(spec.iconWidth) * size_t(spec.iconHeight))
    {
        std::vector<uint32_t> pixels = spec.icon;
        if (SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), spec.iconWidth, spec.iconHeight, 32,
                                                                   spec.iconWidth * 4, SDL_PIXELFORMAT_ARGB8888))
        {
            SDL_SetWindowIcon(impl->window, icon);
            SDL_FreeSurface(icon);
        }
    }
    impl->fullScreen = spec.fullScreen;
    impl->logicalW = spec.width;
    impl->logicalH = spec.height;
    impl->needFullUpdate = true;
    // In full screen the callback would get window pixels, not picture ones;
    // dragging is off there anyway.
    auto hitTest = [](SDL_Window*, const SDL_Point* area, void* data) -> SDL_HitTestResult
    {
        auto* state = static_cast<Impl*>(data);
        if (!state->fullScreen && area->y >= 0 && area->y < state->dragHeight &&
            !(area->x >= state->dragExcludeLeft && area->x < state->dragExcludeRight))
        {
            return SDL_HITTEST_DRAGGABLE;
        }
        return SDL_HITTEST_NORMAL;
    };
    if (!spec.fullScreen)
    {
        SDL_SetWindowHitTest(impl->window, hitTest, impl.get());
    }
    return true;
}

void SdlPlatform::DestroyMainWindow()
{
    if (impl->window)
    {
        SDL_DestroyWindow(impl->window);
        impl->window = nullptr;
    }
}

bool SdlPlatform::HasMainWindow() const
{
    return impl->window != nullptr;
}

bool SdlPlatform::IsFullScreen() const
{
    return impl->window && impl->fullScreen;
}

void SdlPlatform::ShowMainWindow()
{
    if (impl->window)
    {
        SDL_ShowWindow(impl->window);
        impl->needFullUpdate = true;
    }
}

void SdlPlatform::HideMainWindow()
{
    if (impl->window)
    {
        SDL_HideWindow(impl->window);
    }
}

void SdlPlatform::RaiseMainWindow()
{
    if (impl->window)
    {
        SDL_RestoreWindow(impl->window);
        SDL_RaiseWindow(impl->window);
    }
}

void SdlPlatform::MinimiseMainWindow()
{
    if (impl->window)
    {
        SDL_MinimizeWindow(impl->window);
    }
}

bool SdlPlatform::GetWindowPosition(int32_t& x, int32_t& y)
{
    if (!impl->window)
    {
        return false;
    }
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(impl->window, &wx, &wy);
    x = wx;
    y = wy;
    return true;
}

void SdlPlatform::SetWindowPosition(int32_t x, int32_t y)
{
    if (impl->window && !impl->fullScreen)
    {
        SDL_SetWindowPosition(impl->window, x, y);
    }
}

void SdlPlatform::SetDragBand(int32_t height, int32_t excludeLeft, int32_t excludeRight)
{
    impl->dragHeight = height;
    impl->dragExcludeLeft = excludeLeft;
    impl->dragExcludeRight = excludeRight;
}

bool SdlPlatform::WaitForEvents(uint32_t ms)
{
    // SDL blocks on the display connection only with these drivers; with the
    // others it looks every millisecond, dearer than the caller's sleep.
    if (!impl->videoInit || impl->headless || impl->window == nullptr)
    {
        return false;
    }
    const std::string driver = VideoDriver();
    if (driver != "x11" && driver != "wayland")
    {
        return false;
    }
    // With no event to fill in, whatever arrived stays queued.
    SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
    return true;
}

void SdlPlatform::SetTextInput(bool on)
{
    if (!impl->videoInit)
    {
        // Asked before the display is up (a field focused while the screens
        // are built): applied once video starts.
        impl->textInput = on;
        return;
    }
    if (on == impl->textInput)
    {
        return;
    }
    impl->textInput = on;
    if (on)
    {
        SDL_StartTextInput();
    }
    else
    {
        SDL_StopTextInput();
    }
}

void SdlPlatform::SetScreenSaverAllowed(bool allowed)
{
    if (!impl->videoInit)
    {
        return;
    }
    if (allowed)
    {
        SDL_EnableScreenSaver();
    }
    else
    {
        SDL_DisableScreenSaver();
    }
}

void SdlPlatform::PumpEvents(std::vector<InputEvent>& input, std::vector<WindowEvent>& window)
{
    ProcessRequests();
    if (!impl->videoInit)
    {
        return;
    }
    // The loop asks several times per update; reading the display connection
    // (a few socket reads) more often than every 2 ms finds nothing new, and
    // events pushed by other threads are in the queue without it.
    const uint64_t now = SDL_GetPerformanceCounter();
    if (impl->lastPump == 0 || now - impl->lastPump >= SDL_GetPerformanceFrequency() / 500)
    {
        impl->lastPump = now;
        SDL_PumpEvents();
    }
    SDL_Event ev;
    while (SDL_PeepEvents(&ev, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
    {
        switch (ev.type)
        {
            case SDL_MOUSEMOTION:
            {
                InputEvent e;
                impl->ToPicture(ev.motion.x, ev.motion.y, e.x, e.y);
                input.push_back(e);
                break;
            }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
            {
                const bool down = ev.type == SDL_MOUSEBUTTONDOWN;
                int32_t count = 0;
                if (ev.button.button == SDL_BUTTON_LEFT)
                {
                    count = down && ev.button.clicks >= 2 ? 2 : 1;
                }
                else if (ev.button.button == SDL_BUTTON_RIGHT)
                {
                    count = down && ev.button.clicks >= 2 ? -2 : -1;
                }
                else if (ev.button.button == SDL_BUTTON_MIDDLE)
                {
                    count = 3;
                }
                if (count == 0)
                {
                    break;
                }
                InputEvent move;
                impl->ToPicture(ev.button.x, ev.button.y, move.x, move.y);
                input.push_back(move);
                InputEvent e = move;
                e.type = down ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp;
                e.clickCount = count;
                input.push_back(e);
                break;
            }
            case SDL_MOUSEWHEEL:
            {
                InputEvent e;
                e.type = InputEvent::Type::MouseWheel;
                e.delta = ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -ev.wheel.y : ev.wheel.y;
                if (e.delta != 0)
                {
                    input.push_back(e);
                }
                break;
            }
            case SDL_KEYDOWN:
            case SDL_KEYUP:
            {
                const bool down = ev.type == SDL_KEYDOWN;
                const int32_t vk = VirtualKeyFromSdl(ev.key.keysym.sym);
                const bool alt = (ev.key.keysym.mod & KMOD_ALT) != 0;
                const bool ctrl = (ev.key.keysym.mod & KMOD_CTRL) != 0;
                if (vk == VK_RETURN && alt)
                {
                    if (down && !ev.key.repeat)
                    {
                        window.push_back({WindowEvent::Type::ToggleFullScreen, 0, 0});
                    }
                    break;
                }
                if (vk == 0)
                {
                    break;
                }
                InputEvent e;
                e.type = down ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
                e.key = vk;
                e.sysKey = alt;
                input.push_back(e);
                if (down)
                {
                    int32_t ch = ControlCharacterForKey(vk, ctrl, alt);
                    if (ch != 0)
                    {
                        InputEvent c;
                        c.type = InputEvent::Type::CharTyped;
                        c.key = ch;
                        input.push_back(c);
                    }
                }
                break;
            }
            case SDL_TEXTINPUT:
                impl->TypedText(ev.text.text, input);
                break;
            case SDL_WINDOWEVENT:
            {
                if (impl->window && ev.window.windowID != SDL_GetWindowID(impl->window))
                {
                    break;
                }
                switch (ev.window.event)
                {
                    case SDL_WINDOWEVENT_FOCUS_GAINED:
                        window.push_back({WindowEvent::Type::FocusGained, 0, 0});
                        break;
                    case SDL_WINDOWEVENT_FOCUS_LOST:
                        window.push_back({WindowEvent::Type::FocusLost, 0, 0});
                        break;
                    case SDL_WINDOWEVENT_MINIMIZED:
                        window.push_back({WindowEvent::Type::Minimised, 0, 0});
                        break;
                    case SDL_WINDOWEVENT_RESTORED:
                    case SDL_WINDOWEVENT_MAXIMIZED:
                        impl->needFullUpdate = true;
                        window.push_back({WindowEvent::Type::Restored, 0, 0});
                        break;
                    case SDL_WINDOWEVENT_MOVED:
                        window.push_back({WindowEvent::Type::Moved, ev.window.data1, ev.window.data2});
                        break;
                    case SDL_WINDOWEVENT_EXPOSED:
                    case SDL_WINDOWEVENT_SIZE_CHANGED:
                    case SDL_WINDOWEVENT_SHOWN:
                        impl->needFullUpdate = true;
                        window.push_back({WindowEvent::Type::Exposed, 0, 0});
                        break;
                    case SDL_WINDOWEVENT_ENTER:
                    {
                        InputEvent e;
                        e.type = InputEvent::Type::MouseEnter;
                        input.push_back(e);
                        break;
                    }
                    case SDL_WINDOWEVENT_LEAVE:
                    {
                        InputEvent e;
                        e.type = InputEvent::Type::MouseLeave;
                        int mx = 0, my = 0;
                        SDL_GetMouseState(&mx, &my);
                        impl->ToPicture(mx, my, e.x, e.y);
                        input.push_back(e);
                        break;
                    }
                    case SDL_WINDOWEVENT_CLOSE:
                        window.push_back({WindowEvent::Type::CloseRequested, 0, 0});
                        break;
                    default:
                        break;
                }
                break;
            }
            case SDL_QUIT:
                window.push_back({WindowEvent::Type::CloseRequested, 0, 0});
                break;
            default:
                break;
        }
    }
}

void SdlPlatform::ProcessRequests()
{
    if (!impl->OnMainThread())
    {
        return;
    }
    std::unique_lock lock(impl->requestLock);
    if (impl->pendingCursor >= 0)
    {
        int32_t number = impl->pendingCursor;
        impl->pendingCursor = -1;
        if (impl->videoInit)
        {
            impl->ApplySystemCursor(number);
        }
    }
    while (!impl->pendingMessages.empty())
    {
        MessageRequest* request = impl->pendingMessages.front();
        impl->pendingMessages.pop_front();
        lock.unlock();
        int32_t result = impl->ShowBoxNow(request->text, request->caption, request->flags);
        lock.lock();
        request->result = result;
        request->done = true;
        impl->requestDone.notify_all();
    }
}

void SdlPlatform::RequestSystemCursor(int32_t number)
{
    if (impl->OnMainThread())
    {
        if (impl->videoInit)
        {
            impl->ApplySystemCursor(number);
        }
        return;
    }
    std::lock_guard lock(impl->requestLock);
    impl->pendingCursor = number;
}

void SdlPlatform::SetImageCursor(const uint32_t* pixels, int32_t width, int32_t height, int32_t hotX, int32_t hotY)
{
    if (!impl->videoInit)
    {
        return;
    }
    if (impl->imageCursor)
    {
        SDL_SetCursor(SDL_GetDefaultCursor());
        SDL_FreeCursor(impl->imageCursor);
        impl->imageCursor = nullptr;
    }
    impl->showingImageCursor = false;
    if (!pixels || width <= 0 || height <= 0)
    {
        impl->ApplySystemCursor(impl->systemCursor);
        return;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface)
    {
        impl->imageCursor = SDL_CreateColorCursor(surface, hotX, hotY);
        SDL_FreeSurface(surface);
    }
    if (impl->imageCursor)
    {
        impl->showingImageCursor = true;
        SDL_SetCursor(impl->imageCursor);
        SDL_ShowCursor(SDL_ENABLE);
    }
    else
    {
        impl->ApplySystemCursor(impl->systemCursor);
    }
}

bool SdlPlatform::Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitchWords,
                          const std::vector<PlatformRect>& rects)
{
    if (!impl->window || !pixels)
    {
        return false;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(impl->window);
    if (!surface)
    {
        impl->needFullUpdate = true;
        return false;
    }
    const bool full = impl->needFullUpdate || rects.empty();
    std::vector<PlatformRect> areas;
    if (full)
    {
        areas.push_back({0, 0, width, height});
    }
    else
    {
        areas = rects;
    }
    const uint32_t fmt = surface->format->format;
    const bool direct =
        surface->format->BytesPerPixel == 4 && (fmt == SDL_PIXELFORMAT_RGB888 || fmt == SDL_PIXELFORMAT_ARGB8888);
    const bool scaled = surface->w != width || surface->h != height;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
    {
        return false;
    }
    std::vector<SDL_Rect> updates;
    updates.reserve(areas.size() + 4);
    if (!scaled)
    {
        for (const PlatformRect& r : areas)
        {
            int32_t x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
            int32_t x1 = std::min(r.x + r.width, width), y1 = std::min(r.y + r.height, height);
            if (x1 <= x0 || y1 <= y0)
            {
                continue;
            }
            const uint32_t* src = pixels + int64_t(y0) * pitchWords + x0;
            uint8_t* dst = static_cast<uint8_t*>(surface->pixels) + int64_t(y0) * surface->pitch +
                           int64_t(x0) * surface->format->BytesPerPixel;
            if (direct)
            {
                for (int32_t y = y0; y < y1; ++y)
                {
                    std::memcpy(dst, src, size_t(x1 - x0) * 4);
                    src += pitchWords;
                    dst += surface->pitch;
                }
            }
            else
            {
                SDL_ConvertPixels(x1 - x0, y1 - y0, SDL_PIXELFORMAT_ARGB8888, src, pitchWords * 4, fmt, dst,
                                  surface->pitch);
            }
            updates.push_back({x0, y0, x1 - x0, y1 - y0});
        }
    }
    else
    {
        LetterboxPlacement placement = ComputeLetterbox(width, height, surface->w, surface->h);
        uint32_t* target = static_cast<uint32_t*>(surface->pixels);
        int32_t targetPitch = surface->pitch / 4;
        if (!direct)
        {
            impl->scratch.resize(size_t(surface->w) * size_t(surface->h));
            target = impl->scratch.data();
            targetPitch = surface->w;
        }
        if (full)
        {
            // Bars: clear the whole surface once.
            if (direct)
            {
                for (int32_t y = 0; y < surface->h; ++y)
                {
                    std::memset(static_cast<uint8_t*>(surface->pixels) + int64_t(y) * surface->pitch, 0,
                                size_t(surface->w) * 4);
                }
            }
            else
            {
                SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
            }
            updates.push_back({0, 0, surface->w, surface->h});
        }
        for (const PlatformRect& r : areas)
        {
            int32_t ox, oy, ow, oh;
            ScaleRect(pixels, width, height, pitchWords, r.x, r.y, r.width, r.height, target, targetPitch, placement,
                      ox, oy, ow, oh);
            if (ow <= 0 || oh <= 0)
            {
                continue;
            }
            if (!direct)
            {
                SDL_ConvertPixels(ow, oh, SDL_PIXELFORMAT_ARGB8888, target + int64_t(oy) * targetPitch + ox,
                                  targetPitch * 4, fmt,
                                  static_cast<uint8_t*>(surface->pixels) + int64_t(oy) * surface->pitch +
                                      int64_t(ox) * surface->format->BytesPerPixel,
                                  surface->pitch);
            }
            if (!full)
            {
                updates.push_back({ox, oy, ow, oh});
            }
        }
    }
    if (SDL_MUSTLOCK(surface))
    {
        SDL_UnlockSurface(surface);
    }
    if (updates.empty())
    {
        return true;
    }
    if (SDL_UpdateWindowSurfaceRects(impl->window, updates.data(), static_cast<int>(updates.size())) != 0)
    {
        impl->needFullUpdate = true;
        return false;
    }
    impl->needFullUpdate = false;
    return true;
}

int32_t SdlPlatform::ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags)
{
    if (impl->OnMainThread())
    {
        return impl->ShowBoxNow(text, caption, flags);
    }
    MessageRequest request{text, caption, flags, 0, false};
    std::unique_lock lock(impl->requestLock);
    impl->pendingMessages.push_back(&request);
    impl->requestDone.wait(lock, [&] { return request.done; });
    return request.result;
}

} // namespace Framework
