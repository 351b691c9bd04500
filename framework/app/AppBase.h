// AppBase: the application object of the framework. The game derives from it.
//
// Owns the platform (window, input, cursors, message boxes), the clock, the
// settings store access, the single-instance lock and the loading thread. It
// reads and writes the saved settings, parses the command line, runs the
// fixed-rate update / draw loop (10 ms ticks of game time by default, owed
// time capped at 200 ms after a stall), turns window input into widget events
// one event per HandleQueuedInput call, and shuts down in order.
//
// Lifetime: one instance per process (gAppBase points to it between
// construction and destruction). Derived classes whose StopApplication hook
// matters call StopApplication() in their own destructor: the base destructor
// can only run the base's hooks.
//
// Threads: everything runs on the main thread (the one that called
// Initialise) except LoadInBackground, which runs on the loading thread and
// may touch only loadTotal / loadDone, its own data, StopApplication (which
// from another thread only sets loadingFailed), ShowMessageBox and the cursor
// setters (both carried out by the main thread at its next message pump).
// Flags shared with the loading thread are atomics.
//
// Seams: the widget manager, resource manager, display and sound system are
// reached through the protected virtual operations marked "seam"; each does
// what the base needs from that part and is overridden or re-pointed as the
// parts join.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/app/DemoFile.h"
#include "framework/app/ResourceServices.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/SharedImageCache.h"
#include "framework/platform/Clock.h"
#include "framework/platform/Platform.h"
#include "framework/platform/SettingsStore.h"
#include "framework/platform/SingleInstance.h"
#include "framework/sound/AudioOutput.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundManager.h"
#include "framework/widgets/WidgetManager.h"

namespace Framework
{

class Image;
class AppBase;
class ResourceManager;
struct DemoSession;

// The application, set by the constructor and cleared by the destructor.
extern AppBase* gAppBase;

// What a test's ExitProcess override throws, so that an exit path can be
// observed without ending the test run.
struct AppExit
{
    int code = 0;
};

class AppBase : public ResourceServices
{
public:
    AppBase();
    virtual ~AppBase();

    // --- identity and window ---
    std::string title;
    std::string windowCaption;
    std::string productVersion;
    std::string registryKey; // below "SOFTWARE\"; empty: no settings are read or written
    int32_t width = 640;
    int32_t height = 480;
    int32_t preferredX = -1;
    int32_t preferredY = -1;
    bool windowed = true;

    // --- sound ---
    double musicVolume = 0.85;
    double sfxVolume = 0.85;
    int32_t muteCount = 0;
    int32_t autoMuteCount = 0;
    bool muteOnFocusLoss = true;

    // --- focus ---
    bool active = true;
    bool minimised = false;
    bool hasFocus = true;

    // --- timing ---
    int32_t tickMs = 10;
    double speed = 1.0;
    int32_t refreshRate = 100;
    bool refreshPacing = false;
    bool waitForVSync = false;
    bool refreshPacingFailed = false;
    std::atomic<bool> shutdown{false};
    bool leaveLoops = false;
    std::atomic<bool> loadingFailed{false};

    // --- loading thread ---
    bool startLoaderAutomatically = true;
    std::atomic<bool> loaderStarted{false};
    std::atomic<bool> loaderDone{false};
    bool loaded = false;
    std::atomic<bool> throttleMainThread{false};
    std::atomic<int32_t> loadTotal{0};
    std::atomic<int32_t> loadDone{0};

    // --- statistics and loop state ---
    int32_t updateCount = 0;
    int32_t drawCount = 0;
    int32_t sleepCount = 0;
    int32_t updateState = 0; // 0 pump, 1 first process step, 2 second process step, 3 done
    int32_t loopDepth = 0;
    double owedTime = 0;     // ms of game time not yet turned into updates
    double owedFraction = 0; // fractional updates owed with refresh pacing
    uint32_t lastTimeCheck = 0;
    int32_t holdOffMs = 0;
    bool tickSinceDraw = true;
    bool drawing = false;
    int32_t ticksWithoutDraw = 0;
    // Frame waits in a row with nothing drawn and no event (capped); at rest
    // the loop waits longer, see WaitForNextFrame.
    int32_t restingFrames = 0;
    int64_t drawTimeMs = 0;
    int64_t presentTimeMs = 0;

    // --- settings and start ---
    bool settingsLoaded = false;
    bool cleanLastExit = true;
    bool screenSaverMode = false;
    bool onlyOneInstance = true;
    std::thread::id primaryThreadId;
    std::map<std::string, std::string> stringTable;

    // --- main window, screen modes and cursors ---
    bool forceFullScreen = false;
    bool forceWindowed = false;
    bool customCursors = false;
    std::array<Image*, CursorCount> cursorImages{};
    std::array<Point, CursorCount> cursorHotSpots{}; // click point of each cursor image
    int32_t cursorNumber = 0;
    bool pointerInside = false;
    bool is3D = false;                 // drawing is always the software path
    bool is3DChanged = false;          // the 3D choice changed during this run
    bool is3DStored = false;           // the settings held "Is3D" when the display was first made
    bool mainWindowFullScreen = false; // the main window was created full screen
    // The top band of the borderless window that drags it (rows 0 to
    // dragBandHeight - 1, except the columns dragExcludeLeft to
    // dragExcludeRight - 1); height 0: no band. Set with SetWindowDragBand.
    int32_t dragBandHeight = 0;
    int32_t dragExcludeLeft = 0;
    int32_t dragExcludeRight = 0;
    // FROTHWICK_INPUT_TRACE set: every input event handed to the widgets and
    // every window made is written as one line to standard error.
    bool inputTrace = false;
    // FROTHWICK_INPUT_TRACE set or FROTHWICK_STATS=1: the start-up times and
    // the exit statistics go to standard error; otherwise the program is quiet.
    bool statsOutput = false;

    // --- demo recording and playback (AppBaseDemo.cpp, docs/DEMO.md) ---
    // The switches: "-record" / "-recnum=N" record, "-play" / "-playnum=N"
    // play back, "-demofile=PATH" names the file (relative to the folder the
    // program started in). demoNumber is -1 without a number.
    bool demoPlayback = false;
    bool demoRecord = false;
    int32_t demoNumber = -1;
    std::string demoFile;
    std::filesystem::path demoFileAbsolute; // -demofile made absolute where the program started
    // Playback speed: below 0 read from FROTHWICK_PLAYBACK_SPEED (a factor or
    // "max"; default 1, and max on a headless driver); 0 as fast as it runs.
    double demoSpeed = -1;
    // What the program returns: 1 when a demo went out of step.
    int32_t exitCode = 0;
    // The demo file the switches name: -demofile, else demos/demo.dmo or
    // demos/demoN.dmo in the user's data folder.
    std::filesystem::path DemoPath() const;
    // The seed the game's generators start from: while recording the chosen
    // one is kept in the demo, while playing back the recorded one replaces it.
    uint64_t DemoSeed(uint64_t chosen);
    // An answer of the outside world (a minute, a message box's button, a
    // pasted text, ...): kept while recording, replayed while playing back
    // (a missing or different answer there puts the demo out of step).
    int64_t DemoAnswerValue(DemoAnswer kind, int64_t live);
    std::string DemoAnswerText(DemoAnswer kind, const std::string& live);
    // Playback of a wait outside the loop (a file chooser) that the
    // recording spent drawing (DrawWithoutInput) and taking window events:
    // those draws and events run again up to the next answer. Nothing
    // outside playback.
    void DemoReplayUntilAnswer();
    // Playback: the counts so far (tests).
    uint32_t DemoUpdates() const;
    uint32_t DemoDraws() const;
    uint32_t DemoCheckpointsMatched() const;

    // --- widgets ---
    // The root of the widget tree, sized to the game by Initialise. The
    // widgets in it belong to whoever made them.
    std::unique_ptr<WidgetManager> widgetManager = MakeWidgetManager(*this);
    // The window holds the pointer from a press until no button is held.
    bool pointerCaptured = false;

    // --- services; tests replace them before Initialise ---
    std::unique_ptr<Platform> platform;
    std::unique_ptr<DDInterface> display;             // made by the first CreateMainWindow
    std::unique_ptr<ResourceManager> resourceManager; // made at construction, loads through this object
    std::shared_ptr<Clock> clock;
    // Sound: the mixer on the audio device, the effects and the songs, made
    // by Initialise (SoundCreate); declared in this order so the players go
    // before the device they play through.
    std::unique_ptr<AudioOutput> audioOutput;
    std::unique_ptr<SoundManager> soundManager;
    std::unique_ptr<MusicInterface> musicInterface;
    std::filesystem::path settingsRoot;    // folder of the settings files ($XDG_CONFIG_HOME)
    std::filesystem::path instanceLockDir; // empty: $XDG_RUNTIME_DIR or /tmp
    // The program's folder below the user's base directories; empty: the
    // title in lower case.
    std::string userFolder;
    // The window icon, relative to the data tree; empty: none.
    std::string windowIconPath = "images/icon.png";

    // The program's arguments (argv); ReadCommandLine turns them into the
    // command-line text and splits it.
    void SetCommandLine(int argc, const char* const* argv);
    std::string commandLine;
    bool commandLineParsed = false;

    // --- life cycle ---
    virtual void Initialise();
    virtual void Run();
    virtual void StopApplication();
    virtual void RunLoop();
    virtual bool LoopStep(bool& updated);
    virtual bool RunUntilTick();
    virtual bool TimingStep(bool allowSleep);
    virtual bool RunTick();
    virtual void Tick();
    virtual bool TickSmooth(double fraction);
    virtual void DrawDirty();
    virtual bool HandleQueuedInput(bool single);

    // Starts the loading thread (once); Run does it when
    // startLoaderAutomatically is set.
    void StartLoadingThread();
    // Main thread, while something outside the loop runs (a file chooser):
    // handles window events, drops input, and draws what changed.
    void DrawWithoutInput();
    // Main thread: the whole window drawn now (before a message box or a
    // chooser covers it; the window may just have been made anew).
    void RedrawWindow();
    // The single-instance decision, before anything is shown: false when
    // another copy runs (it has been asked to come to the front; the caller
    // exits at once). Initialise decides it when nobody did before. A screen
    // saver run (-screensaver on the command line) never takes the lock.
    bool ClaimSingleInstance();
    // Returns once a started loading thread has finished (at once when none
    // was started), serving the main thread's requests meanwhile: the loader
    // may be waiting for a message box only this thread can show. Main
    // thread only.
    void WaitForLoadingThread();
    virtual void LoadInBackground() {}
    virtual void OnBackgroundLoadDone() {}
    virtual double LoadingProgress();

    // Deletes the object once the loop has unwound below the current depth.
    template <class T> void DeleteWidgetLater(T* object)
    {
        DeleteLater(object, [](void* p) { delete static_cast<T*>(p); });
    }
    void DeleteLater(void* object, void (*destroy)(void*));
    void ProcessDeferredDeletes();
    size_t DeferredDeleteCount() const { return deferredDeletes.size(); }

    // --- command line ---
    virtual void ReadCommandLine();
    virtual void SplitCommandLine(const std::string& text);
    virtual void HandleCommandLineOption(const std::string& name, const std::string& value);

    // --- settings store ---
    SettingsStore Settings() const;
    bool WriteValue(const std::string& name, uint32_t type, const void* data, uint32_t length);
    bool WriteInteger(const std::string& name, int32_t value);
    bool WriteString(const std::string& name, const std::string& text);
    bool ReadValue(const std::string& name, uint32_t& type, void* data, uint32_t& length);
    bool ReadInteger(const std::string& name, int32_t& value);
    bool ReadBoolean(const std::string& name, bool& value);
    bool ReadString(const std::string& name, std::string& text);
    bool EraseValue(const std::string& name);
    virtual void LoadSettings();
    virtual void SaveSettings();
    // Marks the run as in progress ("InProgress" 1, cleared by a clean exit).
    // Initialise calls it once the display is up, so a start that fails
    // before writes no settings.
    void MarkRunInProgress();
    // The settings live in settingsRoot/<UserFolderName()>/settings; the
    // old place was the key's folder settingsRoot/SOFTWARE/<registryKey>/.values.
    std::string UserFolderName() const;
    std::filesystem::path SettingsFile() const;
    std::filesystem::path LegacySettingsFile() const;
    // Settings were saved before (at the new or the old place).
    bool SettingsExist() const;
    // When the new file does not exist and the old one does, the old one is
    // copied to the new place (atomically); the old one is left alone. True
    // when a copy was made.
    bool MigrateSettings();

    // --- sound ---
    virtual double GetEffectsMasterVolume();
    virtual double GetMusicVolume() { return musicVolume; }
    virtual double GetSfxVolume() { return sfxVolume; }
    virtual bool IsMuted() { return muteCount > 0; }
    virtual void SetEffectsMasterVolume(double volume);
    virtual void SetMusicVolume(double volume);
    virtual void SetSfxVolume(double volume);
    virtual void Mute(bool automatic);
    virtual void Unmute(bool automatic);
    virtual void PlaySound(int32_t id, double pan);
    virtual void PlaySound(int32_t id);
    // The resource manager's sound loading, forwarded to the sound manager.
    bool LoadSoundAt(int32_t id, const std::string& path) override;
    void SetSoundBaseVolume(int32_t id, double volume) override;
    void SetSoundBasePan(int32_t id, int32_t pan) override;

    // --- messages ---
    virtual int32_t ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags);
    void ShowErrorBox(const std::string& text) override;
    // Ends the process (std::exit). Tests override it to throw AppExit.
    [[noreturn]] virtual void ExitProcess(int code);

    // --- main window, screen modes, cursors ---
    virtual void CreateMainWindow();
    void SetScreenMode(bool toWindowed, bool accelerated, bool force);
    void SetScreenMode(bool toWindowed);
    void SetScreenMode();
    void Set3DAcceleration(bool on, bool restart);
    void SetCursor(int32_t number);
    void SetCustomCursors(bool on);
    // hotX, hotY: the click point in the image's pixels.
    void SetCustomCursorImage(int32_t number, Image* image, int32_t hotX = 0, int32_t hotY = 0);
    // From another thread the cursor is only recorded; the main thread shows
    // it at its next message pump.
    virtual void RefreshCursor();
    void SetWindowDragBand(int32_t bandHeight, int32_t excludeLeft, int32_t excludeRight);
    // Writes "Is3D" when the 3D choice changed during the run (destructor).
    void Settle3DSetting();
    // Where a window of size w x h goes in the work area: centred when prefX
    // is -1, else at (prefX, prefY) moved to lie 4 pixels inside.
    static void PlaceWindow(const PlatformRect& workArea, int32_t w, int32_t h, int32_t prefX, int32_t prefY,
                            int32_t& x, int32_t& y);

    // --- images (the resource manager loads through these) ---
    // The image file at path as a new display image, or null.
    virtual std::unique_ptr<DDImage> LoadImageFile(const std::string& path, bool commit);
    // One shared image per (path, variant) while anyone holds it.
    SharedImageCache::Result GetSharedImage(const std::string& path, const std::string& variant) override;
    bool Is3D() const override { return is3D; }

    // Text input for the focused text field.
    void SetTextInputEnabled(bool on);

    // Seconds since Initialise recorded its start time.
    uint32_t StartTimeMs() const { return startTimeMs; }

protected:
    // --- hooks (empty in the base) ---
    virtual void InitHook() {}
    virtual void ShutdownHook() {}
    virtual void RunDoneHook() {}
    virtual void PreDisplayHook() {}
    virtual void PreDrawHook() {}
    virtual void BeforeRandomSeedHook() {}
    virtual void GotFocusHook() {}
    virtual void LostFocusHook() {}
    virtual void CloseRequestHook() {}
    // A quit signal (SIGTERM, SIGINT, SIGHUP) arrived: leave at once. The
    // base stops the application (which saves the settings as a clean exit);
    // a game saves what it must first.
    virtual void QuitSignalHook(int signal);
    // false: the base makes the executable's directory the working directory.
    virtual bool WorkingDirectoryHook(const std::filesystem::path&) { return false; }

    // --- the game's part of a demo (empty in the base) ---
    // The state compared at checkpoints; false when there is none to give.
    virtual bool DemoCheckpointState(DemoCheckpoint&) { return false; }
    // Asked after every update, recording and playing back alike: true once
    // when a checkpoint is due beyond the one of every 1000 updates (a
    // stage ended).
    virtual bool DemoCheckpointDue() { return false; }
    // The data files (relative to the data tree) whose size and CRC the demo
    // keeps; playback refuses a tree where one differs.
    virtual std::vector<std::string> DemoDataFiles() { return {}; }
    // Recording: the game's start state beside the settings.
    virtual void DemoRecordStartState(std::vector<DemoState>&) {}
    // Playback, before the settings are read: the game takes its start state
    // from the demo; its files go below scratch, never to the player's.
    // False with a reason refuses the demo.
    virtual bool DemoRestoreStartState(const DemoHeader&, const std::filesystem::path&, std::string&) { return true; }

    // --- seams to the other parts ---
    virtual std::unique_ptr<Platform> CreatePlatform();
    // Widget manager: sizes, passes and events (AppBaseWidgets.cpp).
    static std::unique_ptr<WidgetManager> MakeWidgetManager(AppBase& app);
    virtual void WidgetsResize(int32_t newWidth, int32_t newHeight);
    virtual bool WidgetsUpdatePass();
    virtual void WidgetsSmoothUpdatePass(double fraction);
    virtual bool WidgetsDrawPass();
    virtual void WidgetsInput(const InputEvent& event);
    virtual void WidgetsGotFocus();
    virtual void WidgetsLostFocus();
    virtual void WidgetsMarkAllDirty();
    virtual void WidgetsSetScreenImage(Image* image);
    // Display: presents what the draw pass drew into the screen image.
    virtual void PresentScreen();
    // Sound manager and music interface.
    // Opens the audio device (silent when there is none) and makes the sound
    // manager and, through CreateMusicPlayer, the music interface.
    virtual void SoundCreate();
    virtual std::unique_ptr<MusicInterface> CreateMusicPlayer();
    virtual void SoundSetVolume(double volume);
    virtual void SoundSetSystemWaveVolume(double volume);
    virtual double SoundGetSystemWaveVolume();
    virtual void SoundPlay(int32_t id, bool withPan, double pan);
    virtual void SoundWindowChanged(bool toWindowed);
    virtual void MusicSetVolume(double volume);
    virtual void MusicUpdate();
    virtual void MusicStopAll();

    // Handles one window-level event (focus, minimise, move, ...).
    virtual void HandleWindowEvent(const WindowEvent& event);
    void PumpMessages();
    static void TraceInput(const InputEvent& e);
    void ApplyVolumes();
    void UpdateFocus();
    void AccumulateTime(uint32_t now);
    uint32_t WaitForNextFrame(uint32_t wait, double frameMs, bool pacing);
    bool VSyncPacingActive() const;
    void UpdateScreenSaverRule();

    // Starts (or restarts) the display for the current window; false when it
    // cannot start, with the message shown and the process ended.
    void StartDisplay();
    std::recursive_mutex& DisplayLock();

    std::recursive_mutex noDisplayLock; // stands in before the display exists
    std::mutex cursorLock;              // cursor fields, set from any thread
    std::atomic<bool> cursorRefreshPending{false};
    uint32_t lastDrawStamp = 0;

    // --- demo (AppBaseDemo.cpp) ---
    // Initialise, once the working directory is the data tree: playback
    // reads and checks the whole file (a failure ends the process with 1),
    // recording opens it.
    void DemoOpen();
    // The C library's seed: the recorded one while playing back.
    uint32_t DemoCLibrarySeed(uint32_t chosen);
    // Initialise, after the settings were read: recording writes the header.
    void DemoStart();
    bool DemoPlaybackStep(bool& updated);
    void DemoBeforeUpdate(bool loading);
    void DemoAfterUpdate();
    void DemoSmooth(double fraction);
    // False: a playback draw that the demo does not hold here.
    bool DemoDraw();
    void DemoInput(const InputEvent& event);
    void DemoWindowEvent(const WindowEvent& event);
    void DemoStop();
    void DemoOutOfStep(const std::string& what);
    // Playback: the viewer closed the window or sent a quit signal.
    void DemoViewerStop();
    // Playback: true (and stopped, exit code 1) once the loading thread failed.
    bool DemoLoadingFailed();
    void DemoFinish(bool reachedEnd);
    void DemoFlush(bool force);
    void DemoFail(const std::string& reason);
    bool DemoHeadless() const;
    // Playback: loading may be marked done (the recording reached that update).
    bool DemoLoadReached() const;
    // Playback: message boxes are answered from the demo, not shown.
    bool DemoAnswersBoxes() const;
    void HandOverInput(const InputEvent& event);
    void ApplyWindowEvent(const WindowEvent& event);
    std::unique_ptr<DemoSession> demo;

private:
    struct DeferredDelete
    {
        void* object;
        void (*destroy)(void*);
        int32_t depth;
    };
    std::vector<DeferredDelete> deferredDeletes;
    std::deque<InputEvent> inputQueue;
    std::thread loaderThread;
    SingleInstance instance;
    bool instanceDecided = false;
    bool textInputWanted = false; // a focused text field asked for typed text
    bool initialised = false;
    bool runMarked = false; // the display came up and "InProgress" was written
    bool timeCheckStarted = false;
    uint32_t startTimeMs = 0;
    uint32_t runStartMs = 0;
    int32_t pacingUpdates = 0;
    int32_t pacingStrikes = 0;
    uint32_t pacingMark = 0;
    double systemWaveVolume = 1.0;
    bool screenSaverAllowed = true;
    bool screenSaverRuleApplied = false;
    std::vector<std::string> arguments;
    std::unique_ptr<SharedImageCache> sharedImages;
    std::mutex sharedImagesLock;
};

} // namespace Framework
