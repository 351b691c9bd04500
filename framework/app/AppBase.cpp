#include "framework/app/AppBase.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "framework/app/DemoSession.h"
#include "framework/app/ResourceManager.h"
#include "framework/graphics/Font.h"
#include "framework/platform/QuitSignals.h"
#include "framework/platform/SdlPlatform.h"
#include "framework/platform/UserFolders.h"

namespace Framework
{

AppBase* gAppBase = nullptr;

namespace
{

// Time owed after a stall never exceeds this, so the game does not race to
// catch up.
constexpr double MaxOwedMs = 200.0;
// About a second of frames with nothing to draw and no event is rest.
constexpr int32_t RestAfterFrames = 60;
// At rest a wait spans this many frames, unless an event ends it.
constexpr double RestWaitFrames = 6.0;

} // namespace

AppBase::AppBase()
{
    clock = std::make_shared<SystemClock>();
    productVersion = FROTHWICK_VERSION;
    settingsRoot = UserFolders::ConfigHome();
    stringTable = {
        {"DIALOG_BUTTON_OK", "OK"},
        {"DIALOG_BUTTON_CANCEL", "CANCEL"},
        {"UPDATE_CHECK_TITLE", "Update Check"},
        {"UPDATE_CHECK_BODY", "Checking if there are any updates available for this product ..."},
        {"UP_TO_DATE_TITLE", "Up to Date"},
        {"UP_TO_DATE_BODY", "There are no updates available for this product at this time."},
        {"NEW_VERSION_TITLE", "New Version"},
        {"NEW_VERSION_BODY", "There is an update available for this product.  Would you like to visit the web "
                             "site to download it?"},
    };
    resourceManager = std::make_unique<ResourceManager>(this);
    const char* trace = std::getenv("FROTHWICK_INPUT_TRACE");
    inputTrace = trace && *trace;
    const char* stats = std::getenv("FROTHWICK_STATS");
    statsOutput = inputTrace || (stats && std::string(stats) == "1");
    gAppBase = this;
}

AppBase::~AppBase()
{
    StopApplication();
    Settle3DSetting();
    // A loading thread still running (Run was never called, or left early)
    // loads into the resource manager and registers with the display: it
    // has to end before they go. It may be waiting for a message box that
    // only this thread can show.
    if (loaderThread.joinable())
    {
        WaitForLoadingThread();
        loaderThread.join();
    }
    // Widgets still waiting for deletion go while everything they may touch
    // is there.
    for (const DeferredDelete& d : deferredDeletes)
    {
        d.destroy(d.object);
    }
    deferredDeletes.clear();
    // The widget manager, the resource manager and the shared images, then
    // the display and the window. (The widgets themselves belong to the
    // derived parts, which are gone already.)
    widgetManager.reset();
    resourceManager.reset();
    sharedImages.reset();
    display.reset();
    if (platform)
    {
        platform->DestroyMainWindow();
    }
    instance.Release();
    platform.reset();
    if (gAppBase == this)
    {
        gAppBase = nullptr;
    }
}

std::unique_ptr<Platform> AppBase::CreatePlatform()
{
    return std::make_unique<SdlPlatform>();
}

void AppBase::SetCommandLine(int argc, const char* const* argv)
{
    arguments.assign(argv, argv + argc);
    commandLine.clear();
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        if (i > 0)
        {
            commandLine += ' ';
        }
        const std::string& a = arguments[i];
        bool quote = a.empty() || a.find_first_of(" \t") != std::string::npos;
        commandLine += quote ? "\"" + a + "\"" : a;
    }
}

// --- life cycle ---

void AppBase::Initialise()
{
    primaryThreadId = std::this_thread::get_id();
    if (shutdown)
    {
        return;
    }
    if (!platform)
    {
        platform = CreatePlatform();
    }
    std::string error;
    if (!platform->InitVideo(error))
    {
        ShowErrorBox("Failed to initialize the display: " + error);
        ExitProcess(1);
    }
    // A text field may have taken the focus while the screens were built.
    platform->SetTextInput(textInputWanted);
    if (!commandLineParsed)
    {
        ReadCommandLine();
    }
    if (screenSaverMode)
    {
        onlyOneInstance = false;
    }
    if (!instanceDecided && !ClaimSingleInstance())
    {
        ExitProcess(0);
    }

    // The data tree is only read: beside the program in a build tree, else
    // in the prefix's share folder. The user's files live elsewhere.
    const std::filesystem::path programDir = UserFolders::ProgramDir();
    if (!programDir.empty())
    {
        const std::filesystem::path tree =
            UserFolders::DataTreeFor(programDir, UserFolderName(), "properties/resources.xml");
        if (!WorkingDirectoryHook(tree))
        {
            std::error_code ec;
            std::filesystem::current_path(tree, ec);
        }
    }
    DemoOpen();

    startTimeMs = clock->NowMs();
    BeforeRandomSeedHook();
    std::srand(DemoCLibrarySeed(startTimeMs));

    LoadSettings();
    DemoStart();
    WidgetsResize(width, height);

    if (windowed)
    {
        PlatformRect desktop = platform->GetDesktopBounds();
        if (desktop.width > 0 && desktop.height > 0 && !(desktop.width > width && desktop.height > height))
        {
            windowed = false;
        }
    }
    CreateMainWindow();
    MarkRunInProgress();

    SoundCreate();
    SetSfxVolume(sfxVolume);
    SetMusicVolume(musicVolume);

    if (screenSaverMode)
    {
        SetCursor(11);
    }
    InitHook();
    initialised = true;
}

void AppBase::Run()
{
    if (shutdown)
    {
        return;
    }
    if (startLoaderAutomatically)
    {
        StartLoadingThread();
    }
    if (platform)
    {
        platform->ShowMainWindow();
        platform->RaiseMainWindow();
    }
    runStartMs = clock->NowMs();
    lastTimeCheck = runStartMs;
    timeCheckStarted = true;
    pacingMark = runStartMs;
    lastDrawStamp = runStartMs;

    RunLoop();

    ProcessDeferredDeletes();
    WaitForLoadingThread();
    const uint32_t elapsedMs = clock->NowMs() - runStartMs;
    if (statsOutput)
    {
        std::fprintf(stderr, "Seconds       = %g\n", elapsedMs / 1000.0);
        std::fprintf(stderr, "Sleep Count   = %d\n", sleepCount);
        std::fprintf(stderr, "Update Count  = %d\n", updateCount);
        std::fprintf(stderr, "Draw Count    = %d\n", drawCount);
        std::fprintf(stderr, "Draw Time     = %d\n", static_cast<int>(drawTimeMs));
        std::fprintf(stderr, "Screen Blt    = %d\n", static_cast<int>(presentTimeMs));
        if (elapsedMs > 0)
        {
            // Draws per second of real time, not of drawing time.
            std::fprintf(stderr, "Avg FPS       = %d\n", static_cast<int>(int64_t(drawCount) * 1000 / elapsedMs));
        }
    }
    RunDoneHook();
    if (runMarked)
    {
        SaveSettings();
    }
}

void AppBase::StartLoadingThread()
{
    if (loaderStarted)
    {
        return;
    }
    throttleMainThread = true;
    loaderStarted = true;
    loaderThread = std::thread(
        [this]
        {
            LoadInBackground();
            if (statsOutput)
            {
                std::fprintf(stderr, "Resource Loading Time: %d\n", static_cast<int>(clock->NowMs() - startTimeMs));
            }
            loaderDone = true;
        });
}

void AppBase::WaitForLoadingThread()
{
    while (loaderStarted && !loaderDone)
    {
        if (platform)
        {
            platform->ProcessRequests();
        }
        clock->SleepMs(20);
    }
}

double AppBase::LoadingProgress()
{
    if (loaded)
    {
        return 1.0;
    }
    const int32_t total = loadTotal;
    if (!loaderStarted || total <= 0)
    {
        return 0.0;
    }
    return std::min(1.0, static_cast<double>(loadDone) / total);
}

void AppBase::StopApplication()
{
    if (std::this_thread::get_id() != primaryThreadId && primaryThreadId != std::thread::id())
    {
        loadingFailed = true;
        return;
    }
    if (shutdown)
    {
        return;
    }
    leaveLoops = true;
    shutdown = true;
    ShutdownHook();
    MusicStopAll();
    if (platform)
    {
        platform->HideMainWindow();
    }
    if (settingsLoaded && runMarked)
    {
        SaveSettings();
    }
    DemoStop();
}

void AppBase::QuitSignalHook(int)
{
    StopApplication();
}

void AppBase::RunLoop()
{
    while (!shutdown)
    {
        if (leaveLoops)
        {
            leaveLoops = false;
        }
        RunUntilTick();
    }
}

bool AppBase::RunUntilTick()
{
    while (true)
    {
        bool updated = false;
        if (!LoopStep(updated))
        {
            return false;
        }
        if (updated)
        {
            return true;
        }
    }
}

bool AppBase::LoopStep(bool& updated)
{
    updated = false;
    if (const int signal = QuitSignals::Pending(); signal != 0 && !shutdown)
    {
        QuitSignals::Clear();
        if (demoPlayback && demo)
        {
            DemoViewerStop(); // the viewer's, not the game's
        }
        else
        {
            QuitSignalHook(signal);
        }
    }
    if (leaveLoops)
    {
        return false;
    }
    if (demoPlayback && demo)
    {
        ++loopDepth;
        DemoPlaybackStep(updated);
        --loopDepth;
        return true;
    }
    if (updateState == 3)
    {
        updateState = 0;
    }
    ++loopDepth;
    if (updateState == 0)
    {
        PumpMessages();
        if (!HandleQueuedInput(true))
        {
            updateState = 1;
        }
    }
    else
    {
        const int32_t before = updateCount;
        TimingStep(true);
        updated = updateCount != before;
    }
    --loopDepth;
    return true;
}

void AppBase::AccumulateTime(uint32_t now)
{
    if (!timeCheckStarted)
    {
        timeCheckStarted = true;
        lastTimeCheck = now;
        return;
    }
    const uint32_t elapsed = now - lastTimeCheck;
    owedTime = std::min(owedTime + elapsed, MaxOwedMs);
    lastTimeCheck = now;
    holdOffMs = static_cast<int32_t>(std::max<int64_t>(0, int64_t(holdOffMs) - elapsed));
}

bool AppBase::VSyncPacingActive() const
{
    return refreshPacing && !demoPlayback && !drawing && !refreshPacingFailed && mainWindowFullScreen;
}

bool AppBase::TimingStep(bool allowSleep)
{
    if (loadingFailed)
    {
        StopApplication();
    }
    if (speed <= 0)
    {
        ProcessDeferredDeletes();
        return true;
    }
    const bool pacing = VSyncPacingActive();
    const double frameMs = refreshPacing ? (1000.0 / refreshRate) / speed : tickMs / speed;
    const double updatesPerFrame = refreshPacing ? 1000.0 / (double(tickMs) * refreshRate) : 1.0;

    const uint32_t now = clock->NowMs();
    uint32_t slept = 0;
    if (!pacing)
    {
        AccumulateTime(now);
    }

    bool draw = false;
    if (updateState == 1)
    {
        ++ticksWithoutDraw;
        if (ticksWithoutDraw >= static_cast<int32_t>(std::ceil(speed * 10)) && loaded)
        {
            draw = true;
        }
        else
        {
            const bool due =
                pacing ? (!tickSinceDraw || static_cast<int32_t>(frameMs * 0.75) <= owedTime) : owedTime >= frameMs;
            if (!due)
            {
                draw = true;
            }
            else
            {
                if (!demoPlayback && speed == 1.0)
                {
                    // A second's worth of updates in 800 ms or less means the
                    // refresh-driven pace runs too fast.
                    if (++pacingUpdates >= (tickMs + 999) / tickMs)
                    {
                        pacingUpdates = 0;
                        const uint32_t t = clock->NowMs();
                        if (t - pacingMark <= 800)
                        {
                            if (++pacingStrikes >= 3)
                            {
                                refreshPacingFailed = true;
                            }
                        }
                        else
                        {
                            pacingStrikes = 0;
                        }
                        pacingMark = t;
                    }
                }
                if (RunTick())
                {
                    updateState = 2;
                }
                tickSinceDraw = true;
            }
        }
    }
    else if (updateState == 2)
    {
        updateState = 3;
        owedFraction += updatesPerFrame - 1;
        while (owedFraction >= 1)
        {
            ++ticksWithoutDraw;
            if (!RunTick())
            {
                break;
            }
            ProcessDeferredDeletes();
            owedFraction -= 1;
        }
        DemoSmooth(updatesPerFrame);
        TickSmooth(updatesPerFrame);
        ProcessDeferredDeletes();
        owedTime -= frameMs;
        if (pacing)
        {
            owedTime = std::max(0.0, owedTime - 0.2);
        }
        if (holdOffMs > 0)
        {
            owedTime = 0;
        }
    }
    else
    {
        draw = true;
    }

    if (draw)
    {
        updateState = 3;
        ticksWithoutDraw = 0;
        if (tickSinceDraw)
        {
            DrawDirty();
        }
        else
        {
            // Rounded up: with a refresh-derived frame (16.67 ms at 60 Hz) a
            // truncated wait is 0 for the last fraction of a millisecond, and
            // the loop would spin through it.
            const int32_t wait = static_cast<int32_t>(std::ceil(frameMs - owedTime));
            if (wait > 0)
            {
                if (!allowSleep)
                {
                    return false;
                }
                ++sleepCount;
                slept = WaitForNextFrame(static_cast<uint32_t>(wait), frameMs, pacing);
            }
        }
    }

    if (throttleMainThread)
    {
        // Leave the loading thread about two thirds of the processor.
        const int64_t busy = int64_t(clock->NowMs() - now) - slept;
        const int64_t rest = std::min<int64_t>(2 * busy - slept, 250);
        if (rest > 0)
        {
            if (!allowSleep)
            {
                return false;
            }
            clock->SleepMs(static_cast<uint32_t>(rest));
        }
    }
    ProcessDeferredDeletes();
    return true;
}

// Waking every frame to find nothing to do is most of what an idle screen
// costs. At rest the loop waits on the display for up to three frames
// instead: an event ends the wait at once, and the updates owed meanwhile run
// when it ends, so the update rate and what is drawn stay the same. Not while
// loading, with refresh pacing (its time is counted per draw), at another
// speed or with a demo.
uint32_t AppBase::WaitForNextFrame(uint32_t wait, double frameMs, bool pacing)
{
    restingFrames = std::min(restingFrames + 1, RestAfterFrames);
    const bool resting = restingFrames >= RestAfterFrames && loaded && !pacing && speed == 1.0 && !demo &&
                         !demoPlayback && !demoRecord && platform;
    const auto longer = static_cast<int64_t>(std::ceil(frameMs * RestWaitFrames - owedTime));
    if (resting && longer > int64_t(wait))
    {
        const uint32_t start = clock->NowMs();
        if (platform->WaitForEvents(static_cast<uint32_t>(longer)))
        {
            return clock->NowMs() - start;
        }
    }
    clock->SleepMs(wait);
    return wait;
}

bool AppBase::RunTick()
{
    const bool loading = loaderDone && !loaded;
    DemoBeforeUpdate(loading);
    // A demo playing back marks loading done where the recording did.
    if (loaderDone && !loaded && DemoLoadReached())
    {
        if (loaderThread.joinable())
        {
            loaderThread.join();
        }
        loaded = true;
        throttleMainThread = false;
        UpdateScreenSaverRule();
        OnBackgroundLoadDone();
    }
    Tick();
    DemoAfterUpdate();
    return true;
}

void AppBase::Tick()
{
    ++updateCount;
    if (!minimised && WidgetsUpdatePass())
    {
        tickSinceDraw = true;
    }
    MusicUpdate();
}

bool AppBase::TickSmooth(double fraction)
{
    if (refreshPacing && !minimised)
    {
        WidgetsSmoothUpdatePass(fraction);
        return true;
    }
    return false;
}

void AppBase::DrawDirty()
{
    if (!DemoDraw())
    {
        return;
    }
    std::lock_guard lock(DisplayLock());
    PreDrawHook();
    tickSinceDraw = false;
    drawing = true;
    const uint32_t start = clock->NowMs();
    if (WidgetsDrawPass())
    {
        restingFrames = 0;
        const uint32_t drawn = clock->NowMs();
        PresentScreen();
        const uint32_t presented = clock->NowMs();
        ++drawCount;
        drawTimeMs += drawn - start;
        presentTimeMs += presented - drawn;
    }
    drawing = false;
    const uint32_t now = clock->NowMs();
    AccumulateTime(now);
    lastDrawStamp = now;
}

std::recursive_mutex& AppBase::DisplayLock()
{
    return display ? display->Lock() : noDisplayLock;
}

void AppBase::PresentScreen()
{
    // A headless playback draws without presenting.
    if (display && !(demoPlayback && DemoHeadless()))
    {
        display->Present();
    }
}

// --- deferred deletes ---

void AppBase::DeleteLater(void* object, void (*destroy)(void*))
{
    if (!object)
    {
        return;
    }
    for (const DeferredDelete& d : deferredDeletes)
    {
        if (d.object == object)
        {
            return; // asked twice: delete once
        }
    }
    deferredDeletes.push_back({object, destroy, loopDepth});
}

void AppBase::ProcessDeferredDeletes()
{
    // A destructor may ask for further deletes: take the due entries out
    // first, then destroy them.
    std::vector<DeferredDelete> due;
    std::erase_if(deferredDeletes,
                  [&](const DeferredDelete& d)
                  {
                      if (d.depth >= loopDepth)
                      {
                          due.push_back(d);
                          return true;
                      }
                      return false;
                  });
    for (const DeferredDelete& d : due)
    {
        d.destroy(d.object);
    }
}

// --- input and window events ---

void AppBase::PumpMessages()
{
    if (!platform)
    {
        return;
    }
    std::vector<InputEvent> input;
    std::vector<WindowEvent> events;
    platform->PumpEvents(input, events);
    if (!input.empty() || !events.empty())
    {
        restingFrames = 0;
    }
    for (const WindowEvent& e : events)
    {
        HandleWindowEvent(e);
        if (shutdown)
        {
            break;
        }
    }
    inputQueue.insert(inputQueue.end(), input.begin(), input.end());
    if (cursorRefreshPending.exchange(false))
    {
        RefreshCursor(); // asked for by another thread
    }
    if (instance.PollFrontRequest())
    {
        platform->RaiseMainWindow();
    }
}

void AppBase::TraceInput(const InputEvent& e)
{
    using T = InputEvent::Type;
    const char* name = e.type == T::MouseMove    ? "move"
                       : e.type == T::MouseDown  ? "press"
                       : e.type == T::MouseUp    ? "release"
                       : e.type == T::MouseWheel ? "wheel"
                       : e.type == T::KeyDown    ? "key-down"
                       : e.type == T::KeyUp      ? "key-up"
                       : e.type == T::CharTyped  ? "char"
                       : e.type == T::MouseLeave ? "leave"
                                                 : "enter";
    std::fprintf(stderr, "trace: %s %d,%d clicks %d delta %d key %d\n", name, e.x, e.y, e.clickCount, e.delta, e.key);
}

bool AppBase::HandleQueuedInput(bool single)
{
    bool handled = false;
    while (!inputQueue.empty())
    {
        InputEvent e = inputQueue.front();
        inputQueue.pop_front();
        DemoInput(e);
        HandOverInput(e);
        handled = true;
        if (single)
        {
            break;
        }
    }
    return handled;
}

void AppBase::HandOverInput(const InputEvent& e)
{
    if (e.type == InputEvent::Type::MouseEnter || e.type == InputEvent::Type::MouseMove)
    {
        if (!pointerInside)
        {
            pointerInside = true;
            RefreshCursor();
        }
    }
    else if (e.type == InputEvent::Type::MouseLeave)
    {
        pointerInside = false;
        RefreshCursor();
    }
    if (e.type != InputEvent::Type::MouseEnter)
    {
        if (inputTrace)
        {
            TraceInput(e);
        }
        WidgetsInput(e);
    }
}

void AppBase::HandleWindowEvent(const WindowEvent& event)
{
    // While a demo plays back the window's own events only keep the window
    // alive; the recorded ones reach the game (DemoPlaybackStep).
    DemoWindowEvent(event);
    if (!demoPlayback)
    {
        ApplyWindowEvent(event);
    }
}

void AppBase::ApplyWindowEvent(const WindowEvent& event)
{
    switch (event.type)
    {
        case WindowEvent::Type::FocusGained:
            active = true;
            if (!windowed)
            {
                WidgetsMarkAllDirty();
            }
            UpdateFocus();
            break;
        case WindowEvent::Type::FocusLost:
            active = false;
            UpdateFocus();
            break;
        case WindowEvent::Type::Minimised:
            if (!minimised)
            {
                minimised = true;
                if (muteOnFocusLoss)
                {
                    Mute(true);
                }
                UpdateFocus();
            }
            break;
        case WindowEvent::Type::Restored:
            if (minimised)
            {
                minimised = false;
                if (muteOnFocusLoss)
                {
                    Unmute(true);
                }
                WidgetsMarkAllDirty();
                UpdateFocus();
            }
            break;
        case WindowEvent::Type::Moved:
            if (windowed && !minimised && platform && !platform->IsFullScreen())
            {
                preferredX = event.x;
                preferredY = event.y;
                if (inputTrace)
                {
                    std::fprintf(stderr, "trace: place %d,%d\n", preferredX, preferredY);
                }
            }
            break;
        case WindowEvent::Type::Exposed:
            if (display)
            {
                display->Invalidate();
            }
            WidgetsMarkAllDirty();
            tickSinceDraw = true;
            break;
        case WindowEvent::Type::CloseRequested:
        case WindowEvent::Type::QuitRequested:
            CloseRequestHook();
            break;
        case WindowEvent::Type::ToggleFullScreen:
            if (!forceFullScreen && !forceWindowed)
            {
                SetScreenMode(!windowed);
            }
            break;
    }
}

void AppBase::UpdateFocus()
{
    const bool focus = active && !minimised;
    if (focus == hasFocus)
    {
        return;
    }
    hasFocus = focus;
    if (focus)
    {
        if (muteOnFocusLoss)
        {
            Unmute(true);
        }
        WidgetsGotFocus();
        GotFocusHook();
    }
    else
    {
        if (muteOnFocusLoss)
        {
            Mute(true);
        }
        WidgetsLostFocus();
        LostFocusHook();
    }
}

void AppBase::UpdateScreenSaverRule()
{
    const bool allowed = loaded && windowed;
    if (platform && (!screenSaverRuleApplied || allowed != screenSaverAllowed))
    {
        platform->SetScreenSaverAllowed(allowed);
        screenSaverAllowed = allowed;
        screenSaverRuleApplied = true;
    }
}

void AppBase::SetTextInputEnabled(bool on)
{
    textInputWanted = on;
    if (platform)
    {
        platform->SetTextInput(on);
    }
}

bool AppBase::ClaimSingleInstance()
{
    if (instanceDecided)
    {
        return true;
    }
    instanceDecided = true;
    // Decided before the command line is read: a screen saver and a demo
    // playing back take no lock (a playback runs beside the game).
    const auto hasSwitch = [this](const char* name, bool withValue)
    {
        size_t at = 0;
        while ((at = commandLine.find(name, at)) != std::string::npos)
        {
            const size_t end = at + std::strlen(name);
            const bool startsWord = at == 0 || commandLine[at - 1] == ' ' || commandLine[at - 1] == '"';
            const bool endsWord = end == commandLine.size() || commandLine[end] == ' ' || commandLine[end] == '"' ||
                                  (withValue && commandLine[end] == '=');
            if (startsWord && endsWord)
            {
                return true;
            }
            at = end;
        }
        return false;
    };
    const bool saver = screenSaverMode || hasSwitch("-screensaver", false);
    const bool playback = demoPlayback || hasSwitch("-play", false) || hasSwitch("-playnum", true);
    if (!onlyOneInstance || saver || playback)
    {
        return true;
    }
    return instance.Acquire(title, instanceLockDir) != SingleInstance::Result::AlreadyRunning;
}

// --- command line ---

void AppBase::ReadCommandLine()
{
    commandLineParsed = true;
    const std::string& text = commandLine;
    size_t pos = 0;
    if (!text.empty() && text[0] == '"')
    {
        size_t close = text.find('"', 1);
        pos = close == std::string::npos ? text.size() : close + 1;
    }
    size_t blank = text.find_first_of(" \t", pos);
    if (blank == std::string::npos)
    {
        return;
    }
    SplitCommandLine(text.substr(blank + 1));
}

void AppBase::SplitCommandLine(const std::string& text)
{
    std::vector<std::string> params;
    std::string current;
    bool inQuotes = false;
    bool any = false;
    for (char c : text)
    {
        if (c == '"')
        {
            inQuotes = !inQuotes;
            any = true;
        }
        else if ((c == ' ' || c == '\t') && !inQuotes)
        {
            if (any)
            {
                params.push_back(current);
            }
            current.clear();
            any = false;
        }
        else
        {
            current += c;
            any = true;
        }
    }
    if (any)
    {
        params.push_back(current);
    }
    std::string demoFileParameter;
    for (const std::string& p : params)
    {
        size_t eq = p.find('=');
        if (eq == std::string::npos)
        {
            HandleCommandLineOption(p, "");
        }
        else
        {
            HandleCommandLineOption(p.substr(0, eq), p.substr(eq + 1));
        }
        if (p.starts_with("-demofile=") || p == "-demofile")
        {
            demoFileParameter = p;
        }
    }
    // A file name without a demo to record or play names nothing.
    if (!demoFileParameter.empty() && !demoPlayback && !demoRecord)
    {
        ShowErrorBox("Invalid Command Line Param: " + demoFileParameter);
        ExitProcess(0);
    }
}

namespace
{
// A demo number: decimal digits only, 0 to 9999.
bool DemoNumber(const std::string& text, int32_t& number)
{
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    {
        return false;
    }
    number = std::stoi(text);
    return true;
}
} // namespace

void AppBase::HandleCommandLineOption(const std::string& name, const std::string& value)
{
    const std::string parameter = value.empty() ? name : name + "=" + value;
    bool valid = true;
    if (name == "-play" || name == "-record")
    {
        valid = value.empty();
        (name == "-play" ? demoPlayback : demoRecord) = true;
    }
    else if (name == "-playnum" || name == "-recnum")
    {
        valid = DemoNumber(value, demoNumber);
        (name == "-playnum" ? demoPlayback : demoRecord) = true;
    }
    else if (name == "-demofile")
    {
        valid = !value.empty() && value.find('\0') == std::string::npos;
        if (valid)
        {
            // Relative to where the program was started: Initialise changes
            // to the program's folder later.
            std::error_code ec;
            demoFile = value;
            demoFileAbsolute = std::filesystem::absolute(value, ec);
            valid = !ec;
        }
    }
    else if (name == "-screensaver")
    {
        screenSaverMode = true;
    }
    else
    {
        valid = false;
    }
    // Recording and playing back at once cannot be.
    if (!valid || (demoPlayback && demoRecord))
    {
        ShowErrorBox("Invalid Command Line Param: " + parameter);
        ExitProcess(0);
    }
}

// --- sound ---

void AppBase::ApplyVolumes()
{
    MusicSetVolume(IsMuted() ? 0.0 : musicVolume);
    SoundSetVolume(IsMuted() ? 0.0 : sfxVolume);
}

double AppBase::GetEffectsMasterVolume()
{
    return SoundGetSystemWaveVolume();
}

void AppBase::SetEffectsMasterVolume(double volume)
{
    sfxVolume = volume;
    SoundSetSystemWaveVolume(volume);
}

void AppBase::SetMusicVolume(double volume)
{
    musicVolume = volume;
    MusicSetVolume(IsMuted() ? 0.0 : volume);
}

void AppBase::SetSfxVolume(double volume)
{
    sfxVolume = volume;
    SoundSetVolume(IsMuted() ? 0.0 : volume);
}

void AppBase::Mute(bool automatic)
{
    ++muteCount;
    if (automatic)
    {
        ++autoMuteCount;
    }
    ApplyVolumes();
}

void AppBase::Unmute(bool automatic)
{
    if (muteCount > 0)
    {
        --muteCount;
        if (automatic && autoMuteCount > 0)
        {
            --autoMuteCount;
        }
    }
    ApplyVolumes();
}

void AppBase::PlaySound(int32_t id, double pan)
{
    SoundPlay(id, true, pan);
}

void AppBase::PlaySound(int32_t id)
{
    SoundPlay(id, false, 0.0);
}

// --- images ---

std::unique_ptr<DDImage> AppBase::LoadImageFile(const std::string& path, bool commit)
{
    return LoadDDImage(path, commit, display.get());
}

SharedImageCache::Result AppBase::GetSharedImage(const std::string& path, const std::string& variant)
{
    SharedImageCache* cache = nullptr;
    {
        // Images made before the display exists cannot register with it; the
        // cache is made with the display's registry once there is one.
        std::lock_guard lock(sharedImagesLock);
        if (!sharedImages)
        {
            sharedImages = std::make_unique<SharedImageCache>(display.get());
        }
        cache = sharedImages.get();
    }
    return cache->GetSharedImage(path, variant);
}

// --- messages ---

void AppBase::DrawWithoutInput()
{
    const size_t queued = inputQueue.size();
    PumpMessages();
    inputQueue.resize(queued);
    if (display && platform && platform->HasMainWindow())
    {
        DrawDirty();
    }
}

void AppBase::RedrawWindow()
{
    if (display && platform && platform->HasMainWindow())
    {
        WidgetsMarkAllDirty();
        DrawDirty();
    }
}

int32_t AppBase::ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags)
{
    const bool mainThread = std::this_thread::get_id() == primaryThreadId;
    if (mainThread)
    {
        // The box blocks the loop: what lies behind it is drawn first.
        RedrawWindow();
    }
    const int32_t fallback = (flags & 0xF) == MB_YESNO ? IDYES : IDOK;
    if (mainThread && DemoAnswersBoxes())
    {
        // Playing back: the recorded button, without a box.
        return static_cast<int32_t>(DemoAnswerValue(DemoAnswer::MessageBox, fallback));
    }
    int32_t answer = fallback;
    if (platform)
    {
        answer = platform->ShowMessageBox(text, caption, flags);
    }
    else
    {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    return mainThread ? static_cast<int32_t>(DemoAnswerValue(DemoAnswer::MessageBox, answer)) : answer;
}

void AppBase::ShowErrorBox(const std::string& text)
{
    ShowMessageBox(text, "FATAL ERROR", MB_OK | MB_ICONERROR);
}

void AppBase::ExitProcess(int code)
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(code);
}

} // namespace Framework
