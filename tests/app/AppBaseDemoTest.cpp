// Demo recording and playback through the real loop on the fake platform
// and clock: a run recorded under a clock that stalls and catches up, with
// loading finishing late, input, window events, answers and a message box,
// played back at speed 1 and as fast as it runs; damaged, foreign and
// tampered demos; the switches.
#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/AppBaseTestApp.h"
#include "framework/app/DemoFile.h"
#include "framework/platform/Clipboard.h"
#include "framework/platform/QuitSignals.h"

using namespace Framework;
using FrothwickTest::TestApp;

namespace
{

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The fake platform, whose ProcessRequests (called only while the main
// thread waits for the loading thread) lets the loader finish.
class DemoPlatform : public FrothwickTest::FakePlatform
{
public:
    std::atomic<bool>* release = nullptr;
    void ProcessRequests() override { *release = true; }
};

// The fake clock; its 20 ms sleeps (waiting for the loader) take a little
// real time, so the loading thread gets to run.
class DemoClock : public Clock
{
public:
    uint32_t now = 1000;
    std::vector<uint32_t> sleeps;
    uint32_t NowMs() override { return now; }
    void SleepMs(uint32_t ms) override
    {
        sleeps.push_back(ms);
        now += ms;
        if (ms == 20)
        {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
};

// A small game on the application base: its state mixes what every part of
// a demo must reproduce -- both seeds, every update and draw, the input, the
// window's focus, the minute, a message box's answer and when loading ended.
class DemoApp : public TestApp
{
public:
    bool recording = true;
    std::atomic<bool> releaseLoader{false};
    std::filesystem::path dataFile;
    int32_t liveMinute = 29000000;

    uint64_t state = 0;
    uint64_t generator = 0;
    int32_t inputsSeen = 0;
    int32_t stageEnds = 0;
    int32_t loadedAt = -1;
    int32_t focusChanges = 0;

    std::shared_ptr<DemoClock> demoClock = std::make_shared<DemoClock>();

    explicit DemoApp(const std::string& switches)
    {
        auto p = std::make_unique<DemoPlatform>();
        p->release = &releaseLoader;
        fake = p.get();
        platform = std::move(p);
        clock = demoClock;
        title = "Frothwick";
        registryKey = "Tamsery Games\\Frothwick";
        settingsRoot = TestSupport::TestTempDir("config");
        instanceLockDir = TestSupport::TestTempDir("runtime");
        dataFile = TestSupport::TestTempDir() / "design.lua";
        SplitCommandLine(switches);
        onTick = [this] { Play(); };
        onDraw = [this] { state = state * 31 + 7; };
        onInput = [this] { ++inputsSeen; };
    }

    void Play()
    {
        const uint32_t n = DemoUpdates();
        state = state * 1000003 + static_cast<uint64_t>(std::rand() % 1000) + (generator >> 60);
        generator = generator * 6364136223846793005ull + 1442695040888963407ull;
        if (n % 100 == 50)
        {
            state += static_cast<uint64_t>(DemoAnswerValue(DemoAnswer::Minute, liveMinute + int32_t(n)));
        }
        if (n == 120)
        {
            // A paste into a text field.
            state += SystemClipboard().GetText().size() * 7919 + 1;
        }
        if (n == 150)
        {
            state += static_cast<uint64_t>(ShowMessageBox("Quit?", "Frothwick", MB_YESNO));
        }
        if (n == 200)
        {
            Choose();
        }
        if (recording)
        {
            Script(n);
        }
        else
        {
            // The viewer's own input and focus must not reach the game.
            InputEvent junk;
            junk.type = InputEvent::Type::MouseDown;
            junk.x = 5;
            fake->pendingInput.push_back(junk);
            fake->pendingWindow.push_back({WindowEvent::Type::FocusLost, 0, 0});
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
    }

    // A file chooser outside the loop: while recording the window is drawn
    // and loses and regains focus as it runs; its answer and the import's
    // outcome come back. Playing back runs none of it.
    void Choose()
    {
        std::string live = "images\\avatar\\elsewhere.png";
        int64_t outcome = 9;
        if (recording)
        {
            RedrawWindow();
            fake->pendingWindow.push_back({WindowEvent::Type::FocusLost, 0, 0});
            DrawWithoutInput();
            DrawWithoutInput();
            fake->pendingWindow.push_back({WindowEvent::Type::FocusGained, 0, 0});
            DrawWithoutInput();
            live = "images\\avatar\\cat.png";
            outcome = 0;
        }
        else
        {
            DemoReplayUntilAnswer();
        }
        state += static_cast<uint64_t>(DemoAnswerValue(DemoAnswer::Import, outcome)) * 13 + 5;
        state += DemoAnswerText(DemoAnswer::Chooser, live).size() * 104729;
    }

    // What the player does while the demo is recorded.
    void Script(uint32_t n)
    {
        if (n == 40)
        {
            releaseLoader = true;
        }
        if (n % 97 == 0)
        {
            demoClock->now += 350; // a stall: the loop catches up (200 ms at most)
        }
        if (n % 23 == 0)
        {
            InputEvent move;
            move.type = InputEvent::Type::MouseMove;
            move.x = int32_t(n);
            move.y = 300;
            fake->pendingInput.push_back(move);
            InputEvent press = move;
            press.type = InputEvent::Type::MouseDown;
            press.clickCount = 1;
            fake->pendingInput.push_back(press);
        }
        if (n == 300)
        {
            fake->pendingWindow.push_back({WindowEvent::Type::FocusLost, 0, 0});
        }
        if (n == 330)
        {
            fake->pendingWindow.push_back({WindowEvent::Type::FocusGained, 0, 0});
            fake->pendingWindow.push_back({WindowEvent::Type::Exposed, 0, 0});
        }
        if (n == 2100)
        {
            StopApplication();
        }
    }

    void LoadInBackground() override
    {
        // Recording: released at the 40th update; playing back: only once
        // the main thread waits for it.
        while (!releaseLoader && !shutdown)
        {
            std::this_thread::yield();
        }
    }
    void OnBackgroundLoadDone() override { loadedAt = int32_t(DemoUpdates()); }

    DemoCheckpoint Now()
    {
        DemoCheckpoint c;
        c.mode = inputsSeen;
        c.stage = stageEnds;
        c.score = static_cast<int32_t>(state & 0x7FFFFFFF);
        c.gridCrc = static_cast<uint32_t>(generator >> 32);
        c.shot = loadedAt;
        c.next = focusChanges * 100 + int32_t(musicVolume * 100);
        return c;
    }

protected:
    void BeforeRandomSeedHook() override { generator = DemoSeed(0xC0FFEE ^ demoClock->now); }
    bool DemoCheckpointState(DemoCheckpoint& c) override
    {
        c = Now();
        return true;
    }
    bool DemoCheckpointDue() override
    {
        if (DemoUpdates() % 300 == 0)
        {
            ++stageEnds;
            return true;
        }
        return false;
    }
    std::vector<std::string> DemoDataFiles() override { return {dataFile.string()}; }
    void WidgetsGotFocus() override { ++focusChanges; }
    void WidgetsLostFocus() override { ++focusChanges; }
};

struct Recorded
{
    std::filesystem::path path;
    DemoCheckpoint final;
    uint32_t updates = 0;
    uint32_t draws = 0;
    std::vector<uint8_t> settings;
};

std::filesystem::path DemoFilePath()
{
    return TestSupport::TestTempDir() / "run.dmo";
}

Recorded Record()
{
    Recorded r;
    r.path = DemoFilePath();
    WriteBytes(TestSupport::TestTempDir() / "design.lua", {'-', '-', ' ', 'v', '1'});
    {
        DemoApp settings("");
        settings.musicVolume = 0.4; // the recording reads 40 at its start
        settings.SaveSettings();
    }
    DemoApp app("-record -demofile=" + r.path.string());
    app.Initialise();
    app.Run();
    r.final = app.Now();
    r.updates = app.DemoUpdates();
    r.draws = app.DemoDraws();
    r.settings = ReadBytes(app.SettingsFile());
    return r;
}

struct Played
{
    int32_t exitCode = 0;
    DemoCheckpoint final;
    uint32_t updates = 0;
    uint32_t draws = 0;
    uint32_t checkpoints = 0;
    uint32_t clockMs = 0;
    std::vector<uint32_t> sleeps;
    std::vector<std::string> messages;
};

Played Play(const std::filesystem::path& path, double speed)
{
    Played p;
    DemoApp app("-play -demofile=" + path.string());
    app.recording = false;
    app.demoSpeed = speed;
    app.liveMinute = 1; // the outside world has moved on
    const uint32_t start = app.demoClock->now;
    app.Initialise();
    app.Run();
    p.exitCode = app.exitCode;
    p.final = app.Now();
    p.updates = app.DemoUpdates();
    p.draws = app.DemoDraws();
    p.checkpoints = app.DemoCheckpointsMatched();
    p.clockMs = app.demoClock->now - start;
    p.sleeps = app.demoClock->sleeps;
    p.messages = app.fake->messages;
    return p;
}

DemoContent Decode(const std::filesystem::path& path)
{
    DemoContent content;
    std::string error;
    EXPECT_TRUE(ReadDemo(ReadBytes(path), content, error)) << error;
    return content;
}

TEST(AppBaseDemoTest, ARecordedRunPlaysBackExactlyAtSpeedOneAndAtMax)
{
    const Recorded rec = Record();
    ASSERT_EQ(rec.updates, 2100u);
    const DemoContent content = Decode(rec.path);
    EXPECT_TRUE(content.hasEnd);
    size_t loaded = 0;
    size_t checkpoints = 0;
    for (const DemoRecord& r : content.records)
    {
        loaded += r.kind == DemoRecord::Kind::Loaded;
        checkpoints += r.kind == DemoRecord::Kind::Checkpoint;
    }
    EXPECT_EQ(loaded, 1u);
    EXPECT_EQ(checkpoints, 2u + 6u) << "at 1000 and 2000 and at each stage end before the stop at 2100";

    // The player's settings change after the recording: playback reads the
    // recorded ones and leaves the file alone.
    std::filesystem::path settingsFile;
    {
        DemoApp other("");
        other.musicVolume = 0.9;
        other.SaveSettings();
        settingsFile = other.SettingsFile();
    }
    const std::vector<uint8_t> before = ReadBytes(settingsFile);
    const auto stamp = std::filesystem::last_write_time(settingsFile);

    for (double speed : {1.0, 0.0})
    {
        SCOPED_TRACE(speed);
        const Played p = Play(rec.path, speed);
        EXPECT_EQ(p.exitCode, 0);
        EXPECT_EQ(p.final, rec.final);
        EXPECT_EQ(p.updates, rec.updates);
        EXPECT_EQ(p.draws, rec.draws);
        EXPECT_EQ(p.checkpoints, checkpoints);
        // Pacing sleeps are at most 10 ms; the 20 ms ones wait for the loader.
        uint32_t paced = 0;
        uint32_t loader = 0;
        for (uint32_t ms : p.sleeps)
        {
            (ms <= 10 ? paced : loader) += ms;
        }
        EXPECT_GT(loader, 0u) << "the playback waited for its loader where the recording's ended";
        if (speed == 1.0)
        {
            EXPECT_GE(p.clockMs, 21000u - 10) << "2100 updates of 10 ms at real time";
            EXPECT_LE(p.clockMs, 21000u + loader + 10);
        }
        else
        {
            EXPECT_EQ(paced, 0u) << "as fast as it runs: no waiting";
        }
        EXPECT_TRUE(p.messages.empty()) << "the message box was answered from the demo";
        EXPECT_EQ(ReadBytes(settingsFile), before);
        EXPECT_EQ(std::filesystem::last_write_time(settingsFile), stamp);
    }
}

// The demo is rewritten with one thing changed; each is caught as out of
// step, with the update and what differs.
TEST(AppBaseDemoTest, AChangedSeedADroppedDrawADroppedMinuteOrAnotherPasteIsOutOfStep)
{
    const Recorded rec = Record();
    const DemoContent content = Decode(rec.path);
    const std::filesystem::path tampered = TestSupport::TestTempDir() / "tampered.dmo";
    const auto playTampered = [&](const DemoHeader& header, const std::vector<DemoRecord>& records)
    {
        WriteBytes(tampered, WriteDemo(header, records));
        testing::internal::CaptureStderr();
        const Played p = Play(tampered, 0);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(p.exitCode, 1);
        return said;
    };

    DemoHeader seed = content.header;
    seed.seeds[0] ^= 1;
    std::string said = playTampered(seed, content.records);
    EXPECT_NE(said.find("The demo went out of step at update 300: "), std::string::npos) << said;
    EXPECT_NE(said.find("grid CRC"), std::string::npos) << said;

    std::vector<DemoRecord> noDraw = content.records;
    for (size_t i = noDraw.size() / 2; i < noDraw.size(); ++i)
    {
        if (noDraw[i].kind == DemoRecord::Kind::Draw)
        {
            noDraw.erase(noDraw.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    said = playTampered(content.header, noDraw);
    EXPECT_NE(said.find("The demo went out of step at update"), std::string::npos) << said;
    EXPECT_NE(said.find("score"), std::string::npos) << said;

    std::vector<DemoRecord> noMinute = content.records;
    for (size_t i = 0; i < noMinute.size(); ++i)
    {
        if (noMinute[i].kind == DemoRecord::Kind::Answer && noMinute[i].answer == DemoAnswer::Minute)
        {
            noMinute.erase(noMinute.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    std::vector<DemoRecord> otherPaste = content.records;
    for (DemoRecord& r : otherPaste)
    {
        if (r.kind == DemoRecord::Kind::Answer && r.answer == DemoAnswer::Paste)
        {
            r.text = "pasted";
        }
    }
    said = playTampered(content.header, otherPaste);
    EXPECT_NE(said.find("The demo went out of step at update 300: score"), std::string::npos)
        << "the paste came from the demo\n"
        << said;

    said = playTampered(content.header, noMinute);
    EXPECT_NE(said.find("The demo went out of step at update 50: the game asked for the minute where the "
                        "recording has"),
              std::string::npos)
        << said;
}

// A demo whose recorder was killed plays to its last whole chunk and says so.
TEST(AppBaseDemoTest, ACutDemoPlaysToItsEndAndSaysSo)
{
    const Recorded rec = Record();
    std::vector<uint8_t> bytes = ReadBytes(rec.path);
    bytes.resize(bytes.size() * 2 / 3);
    const std::filesystem::path cut = TestSupport::TestTempDir() / "cut.dmo";
    WriteBytes(cut, bytes);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const Played p = Play(cut, 0);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(p.exitCode, 0);
    EXPECT_GT(p.updates, 0u);
    EXPECT_LT(p.updates, rec.updates);
    EXPECT_NE(out.find("demo: " + std::to_string(p.updates) + " updates, " + std::to_string(p.draws) + " draws, "),
              std::string::npos)
        << out;
    EXPECT_NE(err.find("has no end record"), std::string::npos) << err;
}

// The viewer stops a playback with the window's close or a quit signal:
// the game hears of neither (it would open its exit dialog or save), the
// playback says where it stopped and exits with 0.
TEST(AppBaseDemoTest, TheViewerStopsAPlaybackWithoutTheGameNoticing)
{
    const Recorded rec = Record();
    for (const bool bySignal : {false, true})
    {
        SCOPED_TRACE(bySignal);
        class Viewer : public DemoApp
        {
        public:
            using DemoApp::DemoApp;
            int closeHooks = 0;
            int quitHooks = 0;

        protected:
            void CloseRequestHook() override { ++closeHooks; }
            void QuitSignalHook(int signal) override
            {
                ++quitHooks;
                DemoApp::QuitSignalHook(signal);
            }
        } app("-play -demofile=" + rec.path.string());
        app.recording = false;
        app.demoSpeed = 0;
        app.onTick = [&]
        {
            app.Play();
            if (app.DemoUpdates() == 700)
            {
                if (bySignal)
                {
                    ::raise(SIGTERM);
                }
                else
                {
                    app.fake->pendingWindow.push_back({WindowEvent::Type::CloseRequested, 0, 0});
                }
            }
        };
        QuitSignals::Install();
        QuitSignals::Clear();
        app.Initialise();
        testing::internal::CaptureStdout();
        app.Run();
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(app.exitCode, 0);
        EXPECT_EQ(app.closeHooks + app.quitHooks, 0);
        EXPECT_NE(out.find("demo: stopped at update 70"), std::string::npos) << out;
        EXPECT_LT(app.DemoUpdates(), rec.updates);
    }
}

// A playback whose own loading fails stops there with 1 instead of running
// the recorded game without its resources.
TEST(AppBaseDemoTest, APlaybackWhoseLoadingFailsStops)
{
    const Recorded rec = Record();
    class FailingLoad : public DemoApp
    {
    public:
        using DemoApp::DemoApp;
        int loadDoneCalls = 0;
        void LoadInBackground() override { StopApplication(); }
        void OnBackgroundLoadDone() override { ++loadDoneCalls; }
    } app("-play -demofile=" + rec.path.string());
    app.recording = false;
    app.demoSpeed = 0;
    app.Initialise();
    app.Run();
    EXPECT_EQ(app.exitCode, 1);
    EXPECT_EQ(app.loadDoneCalls, 0);
    EXPECT_LT(app.DemoUpdates(), rec.updates);
}

// Checked before the window opens: nothing is created, the reason is shown
// with the file, and the process ends with 1.
TEST(AppBaseDemoTest, DamagedForeignOrOtherDataDemosAreRefusedBeforeTheWindowOpens)
{
    const Recorded rec = Record();
    const std::vector<uint8_t> good = ReadBytes(rec.path);
    const std::filesystem::path bad = TestSupport::TestTempDir() / "bad.dmo";
    const auto refuse = [&](const std::vector<uint8_t>& bytes)
    {
        WriteBytes(bad, bytes);
        DemoApp app("-play -demofile=" + bad.string());
        app.recording = false;
        try
        {
            app.Initialise();
            ADD_FAILURE() << "played";
        }
        catch (const AppExit& e)
        {
            EXPECT_EQ(e.code, 1);
        }
        EXPECT_TRUE(app.fake->created.empty()) << "no window";
        return app.fake->messages.empty() ? std::string() : app.fake->messages[0];
    };
    std::vector<uint8_t> bytes = good;
    bytes[bytes.size() - 3] ^= 0x10;
    const std::string damaged = refuse(bytes);
    EXPECT_EQ(damaged.rfind("FATAL ERROR: The demo " + bad.string() + " cannot be played: the chunk at byte ", 0), 0u)
        << damaged;
    EXPECT_NE(damaged.find("is damaged"), std::string::npos);

    EXPECT_NE(refuse({'G', 'I', 'F', '8', '9', 'a'}).find("not a Frothwick demo"), std::string::npos);

    WriteBytes(TestSupport::TestTempDir() / "design.lua", {'-', '-', ' ', 'v', '2'});
    EXPECT_NE(refuse(good).find("recorded with other game data: " +
                                (TestSupport::TestTempDir() / "design.lua").string() + " differs"),
              std::string::npos);

    DemoApp missing("-playnum=17");
    missing.recording = false;
    EXPECT_THROW(missing.Initialise(), AppExit);
    ASSERT_EQ(missing.fake->messages.size(), 1u);
    EXPECT_NE(missing.fake->messages[0].find("demos/demo17.dmo cannot be played"), std::string::npos)
        << missing.fake->messages[0];
}

// --- the switches ---

class SwitchApp : public TestApp
{
public:
    SwitchApp() { title = "Frothwick"; }
    bool Refused(const std::string& line)
    {
        fake->messages.clear();
        try
        {
            SplitCommandLine(line);
        }
        catch (const AppExit& e)
        {
            EXPECT_EQ(e.code, 0);
            return fake->messages.size() == 1 &&
                   fake->messages[0].starts_with("FATAL ERROR: Invalid Command Line Param: ");
        }
        return false;
    }
};

TEST(AppBaseDemoSwitchesTest, NumbersFilesAndRefusals)
{
    const std::filesystem::path demos = TestSupport::TestTempDir("xdg/data") / "frothwick" / "demos";
    {
        SwitchApp app;
        app.SplitCommandLine("-record");
        EXPECT_TRUE(app.demoRecord);
        EXPECT_EQ(app.DemoPath(), demos / "demo.dmo");
    }
    {
        SwitchApp app;
        app.SplitCommandLine("-playnum=0042");
        EXPECT_TRUE(app.demoPlayback);
        EXPECT_EQ(app.DemoPath(), demos / "demo42.dmo");
    }
    {
        SwitchApp app;
        app.SplitCommandLine("-recnum=9999");
        EXPECT_EQ(app.DemoPath(), demos / "demo9999.dmo");
    }
    {
        // Relative to the folder the program was started in, not to the one
        // Initialise moves to.
        const std::filesystem::path started = std::filesystem::current_path();
        std::filesystem::current_path(TestSupport::TestTempDir("start"));
        SwitchApp app;
        app.SplitCommandLine("-play \"-demofile=my runs/a.dmo\"");
        std::filesystem::current_path(started);
        EXPECT_EQ(app.DemoPath(), TestSupport::TestTempDir("start") / "my runs" / "a.dmo");
    }
    for (const char* line :
         {"-playnum=abc", "-recnum=12abc", "-recnum=10000", "-playnum=-1", "-playnum=", "-recnum=99999999999999999999",
          "-record -play", "-playnum=3 -recnum=4", "-demofile=x.dmo", "-demofile= -play", "-play=1", "-record=yes"})
    {
        SwitchApp app;
        EXPECT_TRUE(app.Refused(line)) << line;
    }
    SwitchApp app;
    EXPECT_FALSE(app.Refused("-demofile=x.dmo -record -screensaver"));
    EXPECT_EQ(app.fake->messages.size(), 0u);
}

TEST(AppBaseDemoSwitchesTest, PlaybackTakesNoSingleInstanceLock)
{
    TestApp first;
    first.title = "DemoLockTest";
    first.onlyOneInstance = true;
    const char* run[] = {"frothwick"};
    first.SetCommandLine(1, run);
    ASSERT_TRUE(first.ClaimSingleInstance());

    TestApp player;
    player.title = "DemoLockTest";
    player.onlyOneInstance = true;
    player.instanceLockDir = first.instanceLockDir;
    const char* play[] = {"frothwick", "-playnum=3"};
    player.SetCommandLine(2, play);
    EXPECT_TRUE(player.ClaimSingleInstance());

    TestApp second;
    second.title = "DemoLockTest";
    second.onlyOneInstance = true;
    second.instanceLockDir = first.instanceLockDir;
    const char* record[] = {"frothwick", "-record"};
    second.SetCommandLine(2, record);
    EXPECT_FALSE(second.ClaimSingleInstance());
}

} // namespace
