// frothwick_autoplay: the game playing itself. It runs the real game (the
// same application, data tree and loop as frothwick) with a scratch player
// whose files live in a temporary folder, starts games as the menus would
// (mode, difficulty, world, the quest's first stage), and an Autoplayer
// plays them through the input queue: pointer moves and single left presses,
// at stage ends too (the field's click after a win, TRY AGAIN / CONTINUE in
// the high-score dialog). Without --window it runs headless (the dummy
// drivers) on a clock of its own that never waits, as fast as it can, while
// the loop keeps its schedule as if time passed. The minutes the time bonus
// asks for are game time.
//
// At the end one "key value" per line on standard output (see --help).
// With --record FILE the run is recorded as a demo; --play FILE plays such a
// demo back headless through the same program, the games started as they
// were, every checkpoint compared (exit 1 when out of step).
#include <ace/Init_ACE.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/Platform.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/platform/QuitSignals.h"
#include "src/app/GameApp.h"
#include "src/autoplay/Autoplayer.h"
#include "src/core/GameTypes.h"
#include "src/play/GameAreaWidget.h"
#include "src/autoplay/Monkey.h"
#include "src/core/ResourceIds.h"
#include "src/screens/dialogs/ExitDialog.h"
#include "src/screens/game/Board.h"

namespace fs = std::filesystem;

namespace
{

struct Options
{
    std::vector<int32_t> modes{Game::ModeArcade, Game::ModeQuest, Game::ModeTime};
    std::vector<int32_t> worlds{Game::WorldWater, Game::WorldFire, Game::WorldEarth, Game::WorldAir};
    int32_t difficulty = Game::Easy;
    int64_t stages = 0; // stage ends before stopping; 0: no limit
    int64_t shots = 0;  // shots before stopping; 0: no limit
    double minutes = 0; // minutes of game time before stopping; 0: no limit
    int32_t stagesPerGame = 2;
    int32_t questStage = 0;
    uint64_t seed = 1;
    double speed = -1; // 0: as fast as it runs; below 0: not given (max headless, 1 in a window)
    bool window = false;
    int32_t think = 20;
    int64_t progress = 0; // a progress line every this many shots; 0: none
    bool measure = false; // time the updates and draws, beside a memcpy
    int32_t monkey = 0;   // > 0: random hands over every screen, one act in about this many updates
    std::string record;
    std::string play;
    std::string data; // the data tree; empty: beside the program
    bool keep = false;
};

void Usage()
{
    std::printf(
        "Usage: frothwick_autoplay [options]\n"
        "The game plays itself and prints a summary, one \"key value\" per line.\n"
        "\n"
        "  --mode=M         arcade, quest, time or all (default all, in that order)\n"
        "  --difficulty=D   easy, normal, hard or expert (default easy)\n"
        "  --world=W        water, fire, earth, air, 1 to 4, or all (default all)\n"
        "  --stages=N       stop after N stage ends\n"
        "  --shots=N        stop after N shots\n"
        "  --minutes=M      stop after M minutes of game time\n"
        "  --per-game=N     stage ends before the next mode or world (default 2)\n"
        "  --quest-stage=N  the quest's first stage, 0 to 15 (default 0)\n"
        "  --seed=S         the seed of the game and of the player (default 1)\n"
        "  --speed=F        F times real time, or max (default: max headless, 1 in\n"
        "                   a window)\n"
        "  --think=N        updates of thought before each shot (default 20)\n"
        "  --window         play in a window (default: headless)\n"
        "  --record=FILE    record the run as a demo\n"
        "  --play=FILE      play a recorded run back headless and check it (the\n"
        "                   plan of games is read from FILE.options, written with it)\n"
        "  --keep           keep the temporary folder of the player's files\n"
        "  --data=DIR       the data tree (default: beside the program)\n"
        "  --measure        add the mean time of an update, a smooth update and a\n"
        "                   draw, and of a memcpy of the 1.92 MB screen\n"
        "  --monkey         no games of the plan: random hands over every screen and\n"
        "                   dialog (menus, names, sliders, drags, window buttons,\n"
        "                   mode changes), quitting always cancelled; stop it with\n"
        "                   --minutes (of updates) or --shots\n"
        "  --progress=N     every N shots a line on standard error: shots, updates,\n"
        "                   peak RSS\n"
        "\n"
        "Without a limit it stops after 100 stage ends.\n");
}

bool ParseMode(const std::string& v, std::vector<int32_t>& out)
{
    if (v == "all")
    {
        out = {Game::ModeArcade, Game::ModeQuest, Game::ModeTime};
    }
    else if (v == "arcade")
    {
        out = {Game::ModeArcade};
    }
    else if (v == "quest")
    {
        out = {Game::ModeQuest};
    }
    else if (v == "time")
    {
        out = {Game::ModeTime};
    }
    else
    {
        return false;
    }
    return true;
}

bool ParseWorld(const std::string& v, std::vector<int32_t>& out)
{
    const std::map<std::string, int32_t> names = {{"water", Game::WorldWater}, {"fire", Game::WorldFire},
                                                  {"earth", Game::WorldEarth}, {"air", Game::WorldAir},
                                                  {"1", 1},                    {"2", 2},
                                                  {"3", 3},                    {"4", 4}};
    if (v == "all")
    {
        out = {Game::WorldWater, Game::WorldFire, Game::WorldEarth, Game::WorldAir};
        return true;
    }
    const auto it = names.find(v);
    if (it == names.end())
    {
        return false;
    }
    out = {it->second};
    return true;
}

// A whole number in [low, high] with nothing after it.
bool ParseNumber(const std::string& v, int64_t low, int64_t high, int64_t& out)
{
    if (v.empty() || v.size() > 18)
    {
        return false;
    }
    char* end = nullptr;
    const long long n = std::strtoll(v.c_str(), &end, 10);
    if (*end != '\0' || n < low || n > high)
    {
        return false;
    }
    out = n;
    return true;
}

bool ParseOptions(int argc, char** argv, Options& o, bool& help)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : arg.substr(eq + 1);
        int64_t n = 0;
        bool ok = true;
        if (name == "--help")
        {
            help = true;
        }
        else if (name == "--mode")
        {
            ok = ParseMode(value, o.modes);
        }
        else if (name == "--world")
        {
            ok = ParseWorld(value, o.worlds);
        }
        else if (name == "--difficulty")
        {
            const std::map<std::string, int32_t> names = {
                {"easy", Game::Easy}, {"normal", Game::Normal}, {"hard", Game::Hard}, {"expert", Game::Expert}};
            const auto it = names.find(value);
            ok = it != names.end();
            o.difficulty = ok ? it->second : o.difficulty;
        }
        else if (name == "--stages" && (ok = ParseNumber(value, 1, 1000000000, n)))
        {
            o.stages = n;
        }
        else if (name == "--shots" && (ok = ParseNumber(value, 1, 1000000000, n)))
        {
            o.shots = n;
        }
        else if (name == "--minutes")
        {
            char* end = nullptr;
            o.minutes = std::strtod(value.c_str(), &end);
            ok = !value.empty() && *end == '\0' && o.minutes > 0 && o.minutes < 1e6;
        }
        else if (name == "--per-game" && (ok = ParseNumber(value, 1, 1000000, n)))
        {
            o.stagesPerGame = int32_t(n);
        }
        else if (name == "--quest-stage" && (ok = ParseNumber(value, 0, 15, n)))
        {
            o.questStage = int32_t(n);
        }
        else if (name == "--seed" && (ok = ParseNumber(value, 0, 999999999999999999, n)))
        {
            o.seed = uint64_t(n);
        }
        else if (name == "--progress" && (ok = ParseNumber(value, 1, 1000000000, n)))
        {
            o.progress = n;
        }
        else if (name == "--think" && (ok = ParseNumber(value, 1, 100000, n)))
        {
            o.think = int32_t(n);
        }
        else if (name == "--speed")
        {
            char* end = nullptr;
            o.speed = value == "max" ? 0.0 : std::strtod(value.c_str(), &end);
            ok = value == "max" || (!value.empty() && *end == '\0' && o.speed > 0 && o.speed <= 100);
        }
        else if (name == "--window" && eq == std::string::npos)
        {
            o.window = true;
        }
        else if (name == "--measure" && eq == std::string::npos)
        {
            o.measure = true;
        }
        else if (name == "--monkey" && eq == std::string::npos)
        {
            o.monkey = 8;
        }
        else if (name == "--keep" && eq == std::string::npos)
        {
            o.keep = true;
        }
        else if (name == "--record" && !value.empty())
        {
            o.record = value;
        }
        else if (name == "--play" && !value.empty())
        {
            o.play = value;
        }
        else if (name == "--data" && !value.empty())
        {
            o.data = fs::absolute(value).string();
        }
        else
        {
            ok = false;
        }
        if (!ok)
        {
            std::fprintf(stderr, "frothwick_autoplay: bad option \"%s\" (see --help)\n", arg.c_str());
            return false;
        }
    }
    if (!o.record.empty() && !o.play.empty())
    {
        std::fprintf(stderr, "frothwick_autoplay: --record and --play exclude each other\n");
        return false;
    }
    if (o.speed < 0)
    {
        o.speed = o.window ? 1.0 : 0.0;
    }
    if (o.stages == 0 && o.shots == 0 && o.minutes == 0)
    {
        o.stages = 100;
    }
    return true;
}

// Milliseconds that pass only when the loop waits: the schedule of real
// time, run as fast as the machine goes.
class VirtualClock final : public Framework::Clock
{
public:
    uint32_t NowMs() override { return now; }
    void SleepMs(uint32_t ms) override { now += ms; }

private:
    uint32_t now = 0;
};

// The real platform, with the autoplayer's hand added to its input.
class HandPlatform final : public Framework::Platform
{
public:
    explicit HandPlatform(std::unique_ptr<Framework::Platform> real) : inner(std::move(real)) {}
    std::vector<Framework::InputEvent> hand;

    bool InitVideo(std::string& error) override { return inner->InitVideo(error); }
    Framework::PlatformRect GetWorkArea() override { return inner->GetWorkArea(); }
    Framework::PlatformRect GetDesktopBounds() override { return inner->GetDesktopBounds(); }
    bool CreateMainWindow(const Framework::WindowSpec& spec, std::string& error) override
    {
        return inner->CreateMainWindow(spec, error);
    }
    void DestroyMainWindow() override { inner->DestroyMainWindow(); }
    bool HasMainWindow() const override { return inner->HasMainWindow(); }
    bool IsFullScreen() const override { return inner->IsFullScreen(); }
    void ShowMainWindow() override { inner->ShowMainWindow(); }
    void HideMainWindow() override { inner->HideMainWindow(); }
    void RaiseMainWindow() override { inner->RaiseMainWindow(); }
    void MinimiseMainWindow() override { inner->MinimiseMainWindow(); }
    bool GetWindowPosition(int32_t& x, int32_t& y) override { return inner->GetWindowPosition(x, y); }
    void SetWindowPosition(int32_t x, int32_t y) override { inner->SetWindowPosition(x, y); }
    void SetDragBand(int32_t h, int32_t l, int32_t r) override { inner->SetDragBand(h, l, r); }
    void PumpEvents(std::vector<Framework::InputEvent>& input, std::vector<Framework::WindowEvent>& window) override
    {
        // The window's own input is left out: only the hand plays.
        std::vector<Framework::InputEvent> ignored;
        inner->PumpEvents(ignored, window);
        input.insert(input.end(), hand.begin(), hand.end());
        hand.clear();
    }
    void ProcessRequests() override { inner->ProcessRequests(); }
    bool WaitForEvents(uint32_t ms) override { return !hand.empty() || inner->WaitForEvents(ms); }
    void SetTextInput(bool on) override { inner->SetTextInput(on); }
    void SetScreenSaverAllowed(bool allowed) override { inner->SetScreenSaverAllowed(allowed); }
    void RequestSystemCursor(int32_t number) override { inner->RequestSystemCursor(number); }
    void SetImageCursor(const uint32_t* p, int32_t w, int32_t h, int32_t x, int32_t y) override
    {
        inner->SetImageCursor(p, w, h, x, y);
    }
    bool Present(const uint32_t* pixels, int32_t w, int32_t h, int32_t pitch,
                 const std::vector<Framework::PlatformRect>& rects) override
    {
        return inner->Present(pixels, w, h, pitch, rects);
    }
    int32_t ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags) override
    {
        return inner->ShowMessageBox(text, caption, flags);
    }
    int32_t GetRefreshRate() override { return inner->GetRefreshRate(); }
    std::string VideoDriver() const override { return inner->VideoDriver(); }

private:
    std::unique_ptr<Framework::Platform> inner;
};

// The most memory the process has held, in kB (VmHWM), or -1.
long PeakRssKb()
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
    {
        if (line.rfind("VmHWM:", 0) == 0)
        {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// Where the stage-end buttons of the high-score dialog sit (TRY AGAIN and
// CONTINUE share a place): the field at (15, 37), the dialog at (45, 0) in
// it, the button's centre at (261, 536) in the dialog.
constexpr int32_t FieldX = 15;
constexpr int32_t FieldY = 37;
constexpr int32_t StageEndX = FieldX + 45 + 261;
constexpr int32_t StageEndY = FieldY + 536;
// Updates after a stage end before the first click, and between clicks.
constexpr int32_t StageEndWait = 60;
constexpr int32_t StageEndRetry = 150;
// The minute the scratch player's clock starts at (any will do: only
// differences are asked for).
constexpr int32_t FirstMinute = 29000000;

class AutoplayApp final : public GameApp
{
public:
    AutoplayApp(const Options& options, bool virtualTime)
        : o(options), hand(options.seed ^ 0x5EEDu, options.think, FieldX, FieldY),
          monkey(options.seed ^ 0x4D0Bu, std::max(options.monkey, 1), 800, 600)
    {
        // The soak never quits, and opens no desktop chooser.
        monkey.forbidden = [this](const Framework::ButtonWidget& button)
        { return (exitDialog && &button == exitDialog->yesButton) || button.normalImage == IMAGE_BUTTON_CREATE_BROWSE; };
        if (virtualTime)
        {
            clock = std::make_shared<VirtualClock>();
        }
        onlyOneInstance = false;
        if (o.speed > 0)
        {
            speed = o.speed;
        }
    }

    ~AutoplayApp() override { StopApplication(); }

    struct ModeCount
    {
        int64_t won = 0;
        int64_t lost = 0;
    };
    std::map<int32_t, ModeCount> stageEnds;
    int64_t totalStageEnds = 0;
    int64_t updates = 0;
    int64_t scoreSum = 0; // scores of games left behind
    int32_t games = 0;

    const Autoplay::Counts& Counts() const { return hand.GetCounts(); }
    const Autoplay::Monkey::Counts& MonkeyCounts() const { return monkey.GetCounts(); }
    double GameMinutes() const { return gameTimeMs / 60000.0; }
    int64_t Score() const { return scoreSum + (board ? score : 0); }

    int32_t CurrentMinute() const override
    {
        const auto minute = FirstMinute + static_cast<int64_t>(gameTimeMs / 60000.0);
        return static_cast<int32_t>(
            const_cast<AutoplayApp*>(this)->DemoAnswerValue(Framework::DemoAnswer::Minute, minute));
    }

    // The game's loading ends before the first update, so the run does not
    // hang on how fast the loading thread was: one seed, one game.
    void Run() override
    {
        if (!shutdown)
        {
            StartLoadingThread();
            WaitForLoadingThread();
        }
        GameApp::Run();
    }

    // Microseconds spent and calls made (--measure).
    struct Timing
    {
        double us = 0;
        int64_t calls = 0;
        double Mean() const { return calls > 0 ? us / double(calls) : 0.0; }
    };
    Timing updateTime;
    Timing smoothTime;
    Timing drawTime;

    bool TickSmooth(double fraction) override
    {
        const auto t0 = std::chrono::steady_clock::now();
        const bool changed = GameApp::TickSmooth(fraction);
        Add(smoothTime, t0);
        return changed;
    }

    void DrawDirty() override
    {
        const auto t0 = std::chrono::steady_clock::now();
        GameApp::DrawDirty();
        Add(drawTime, t0);
    }

    void Tick() override
    {
        const auto t0 = std::chrono::steady_clock::now();
        GameApp::Tick();
        Add(updateTime, t0);
        if (!shutdown)
        {
            ++updates;
            Direct();
        }
        if (o.progress > 0 && Counts().shots >= nextProgress)
        {
            nextProgress = Counts().shots + o.progress;
            std::fprintf(stderr, "autoplay: shots %lld updates %lld peak_rss_kb %ld\n",
                         static_cast<long long>(Counts().shots), static_cast<long long>(updates), PeakRssKb());
        }
    }

protected:
    bool WorkingDirectoryHook(const fs::path&) override
    {
        if (o.data.empty())
        {
            return false;
        }
        std::error_code ec;
        fs::current_path(o.data, ec);
        return true;
    }

    std::unique_ptr<Framework::Platform> CreatePlatform() override
    {
        auto wrapped = std::make_unique<HandPlatform>(GameApp::CreatePlatform());
        handPlatform = wrapped.get();
        return wrapped;
    }

private:
    // The next game of the plan: modes in turn, each through the worlds.
    void StartNextGame()
    {
        const size_t n = o.modes.size() * o.worlds.size();
        const size_t index = size_t(games) % n;
        const int32_t nextMode = o.modes[index / o.worlds.size()];
        const int32_t nextWorld = o.worlds[index % o.worlds.size()];
        ++games;
        if (board)
        {
            scoreSum += score;
        }
        if (std::getenv("FROTHWICK_AUTOPLAY_TRACE"))
        {
            std::fprintf(stderr, "autoplay: game %d (mode %d, world %d) at update %lld\n", games, nextMode, nextWorld,
                         static_cast<long long>(updates));
        }
        SetGameMode(nextMode);
        SetDifficulty(o.difficulty);
        SetWorld(nextWorld);
        if (nextMode == Game::ModeQuest)
        {
            StageReached(Game::QuestBase(nextWorld) + o.questStage);
        }
        StartGame();
        gameStageEnds = 0;
        endSeen = false;
    }

    bool LimitReached() const
    {
        // The monkey spends most of its time in the menus, where the game's
        // clock stands: its minutes are the loop's, 100 updates a second.
        const double minutes = o.monkey > 0 ? double(updates) / 6000.0 : gameTimeMs / 60000.0;
        return (o.stages > 0 && totalStageEnds >= o.stages) || (o.shots > 0 && Counts().shots >= o.shots) ||
               (o.minutes > 0 && minutes >= o.minutes);
    }

    void Direct()
    {
        if (!menuBackground)
        {
            return; // still loading
        }
        if (!playerMade)
        {
            playerMade = true;
            PlayerRecord player;
            player.SetName("Autoplayer");
            player.SetAvatarPath("images\\avatar\\owl.png");
            AddPlayer(player);
            SetCurrentPlayer(player);
        }
        if (o.monkey > 0)
        {
            MonkeyAbout();
            return;
        }
        if (!board)
        {
            StartNextGame();
            return;
        }
        if (!demoPlayback && LimitReached() && !stopped)
        {
            stopped = true;
            StopApplication();
            return;
        }
        GameAreaWidget* field = board->GetPlayField().get();
        if (!field)
        {
            return;
        }
        if (stageOver)
        {
            if (!endSeen)
            {
                endSeen = true;
                endUpdates = 0;
                ++totalStageEnds;
                ++gameStageEnds;
                ModeCount& count = stageEnds[mode];
                (lastStageWon ? count.won : count.lost) += 1;
            }
            ++endUpdates;
            // Enough of this game, or the quest's world is done: the next.
            const bool worldDone = mode == Game::ModeQuest && lastStageWon && stageId % 10000 >= 15;
            if ((gameStageEnds >= o.stagesPerGame || worldDone) && endUpdates >= StageEndWait)
            {
                StartNextGame();
                return;
            }
            if (!demoPlayback && endUpdates >= StageEndWait && (endUpdates - StageEndWait) % StageEndRetry == 0)
            {
                Click(StageEndX, StageEndY);
            }
            return;
        }
        endSeen = false;
        if (demoPlayback || !handPlatform)
        {
            return;
        }
        const double stepMs = 1000.0 / double(refreshRate > 0 ? refreshRate : 100);
        for (const Framework::InputEvent& e : hand.Update(*field, *this, stepMs))
        {
            handPlatform->hand.push_back(e);
        }
    }

    // The monkey's update: the limit, then its hands for whatever shows.
    void MonkeyAbout()
    {
        if (!demoPlayback && LimitReached() && !stopped)
        {
            stopped = true;
            StopApplication();
            return;
        }
        if (board && stageOver && !endSeen)
        {
            ++totalStageEnds;
            ModeCount& count = stageEnds[mode];
            (lastStageWon ? count.won : count.lost) += 1;
        }
        endSeen = board && stageOver;
        if (demoPlayback || !handPlatform || !widgetManager)
        {
            return;
        }
        for (const Framework::InputEvent& e : monkey.Update(*widgetManager))
        {
            handPlatform->hand.push_back(e);
        }
    }

    void Add(Timing& timing, std::chrono::steady_clock::time_point since) const
    {
        if (o.measure)
        {
            timing.us += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - since).count();
            timing.calls += 1;
        }
    }

    void Click(int32_t x, int32_t y)
    {
        if (!handPlatform)
        {
            return;
        }
        Framework::InputEvent e;
        e.type = Framework::InputEvent::Type::MouseMove;
        e.x = x;
        e.y = y;
        handPlatform->hand.push_back(e);
        e.type = Framework::InputEvent::Type::MouseDown;
        e.clickCount = 1;
        handPlatform->hand.push_back(e);
        e.type = Framework::InputEvent::Type::MouseUp;
        handPlatform->hand.push_back(e);
    }

    const Options& o;
    Autoplay::Autoplayer hand;
    Autoplay::Monkey monkey;
    HandPlatform* handPlatform = nullptr;
    int64_t nextProgress = 0;
    bool playerMade = false;
    bool stopped = false;
    bool endSeen = false;
    int32_t endUpdates = 0;
    int32_t gameStageEnds = 0;
};

// Mean microseconds of a memcpy of the 800 x 600 screen (1.92 MB).
double MemcpyScreenUs()
{
    constexpr size_t bytes = size_t(800) * 600 * 4;
    std::vector<unsigned char> from(bytes, 1);
    std::vector<unsigned char> to(bytes, 0);
    constexpr int rounds = 300;
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
    {
        from[size_t(i) % bytes] = static_cast<unsigned char>(i);
        std::memcpy(to.data(), from.data(), bytes);
    }
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
    volatile unsigned char sink = to[size_t(rounds) % bytes];
    (void)sink;
    return us / rounds;
}

const char* ModeKey(int32_t mode)
{
    return mode == Game::ModeQuest ? "quest" : (mode == Game::ModeTime ? "time" : "arcade");
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    bool help = false;
    if (!ParseOptions(argc, argv, o, help))
    {
        return 2;
    }
    if (help)
    {
        Usage();
        return 0;
    }
    // The plan of games belongs to the recording: kept beside the demo, and
    // read back before playing it.
    if (!o.record.empty())
    {
        std::ofstream out(o.record + ".options");
        for (int i = 1; i < argc; ++i)
        {
            const std::string arg = argv[i];
            if (!arg.starts_with("--record") && !arg.starts_with("--speed") && !arg.starts_with("--data") &&
                !arg.starts_with("--progress") && arg != "--measure" &&
                arg != "--window" && arg != "--keep")
            {
                out << arg << "\n";
            }
        }
    }
    else if (!o.play.empty())
    {
        std::ifstream in(o.play + ".options");
        std::vector<std::string> saved{argv[0]};
        for (std::string line; std::getline(in, line);)
        {
            saved.push_back(line);
        }
        saved.push_back("--play=" + o.play);
        if (!o.data.empty())
        {
            saved.push_back("--data=" + o.data);
        }
        std::vector<char*> again;
        for (std::string& arg : saved)
        {
            again.push_back(arg.data());
        }
        Options recorded;
        if (!ParseOptions(int(again.size()), again.data(), recorded, help))
        {
            return 2;
        }
        o = recorded;
    }
    // The scratch player's files, settings and cache: a folder of our own.
    std::string templ = (fs::temp_directory_path() / "frothwick-autoplay-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr)
    {
        std::fprintf(stderr, "frothwick_autoplay: cannot make a temporary folder\n");
        return 1;
    }
    const fs::path scratch = templ;
    for (const char* name : {"data", "config", "cache", "runtime"})
    {
        fs::create_directories(scratch / name);
    }
    fs::permissions(scratch / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    setenv("XDG_DATA_HOME", (scratch / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (scratch / "cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (scratch / "runtime").c_str(), 1);
    setenv("FROTHWICK_SEED", std::to_string(o.seed).c_str(), 1);
    const bool headless = !o.window || !o.play.empty();
    if (headless)
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    // Demo files are named relative to where we started.
    std::vector<std::string> switches{argv[0]};
    if (!o.record.empty())
    {
        switches.push_back("-record");
        switches.push_back("-demofile=" + o.record);
    }
    if (!o.play.empty())
    {
        switches.push_back("-play");
        switches.push_back("-demofile=" + o.play);
        setenv("FROTHWICK_PLAYBACK_SPEED", "max", 1);
    }
    std::vector<const char*> args;
    for (const std::string& s : switches)
    {
        args.push_back(s.c_str());
    }

    Framework::QuitSignals::Install();
    ACE::init();
    int exitCode = 0;
    const auto started = std::chrono::steady_clock::now();
    {
        // As fast as it runs: a clock of our own (in a window too).
        auto app = std::make_unique<AutoplayApp>(o, o.speed == 0 && o.play.empty());
        app->SetCommandLine(int(args.size()), args.data());
        app->Initialise();
        app->Run();
        exitCode = app->exitCode;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const Autoplay::Counts& c = app->Counts();
        for (int32_t mode : {Game::ModeArcade, Game::ModeQuest, Game::ModeTime})
        {
            const auto& ends = app->stageEnds[mode];
            std::printf("%s.won %lld\n%s.lost %lld\n", ModeKey(mode), static_cast<long long>(ends.won), ModeKey(mode),
                        static_cast<long long>(ends.lost));
        }
        const double percent = c.predicted > 0 ? 100.0 * double(c.predictedTrue) / double(c.predicted) : 0.0;
        std::printf("shots %lld\nbursts %lld\ndrops %lld\npredictions_true %.1f\n", static_cast<long long>(c.shots),
                    static_cast<long long>(c.bursts), static_cast<long long>(c.drops), percent);
        std::printf("think_grid_changed %lld\nscore %lld\nupdates %lld\ndraws %d\ngame_minutes %.2f\n",
                    static_cast<long long>(c.changedThinks), static_cast<long long>(app->Score()),
                    static_cast<long long>(app->updates), app->drawCount, app->GameMinutes());
        std::printf("updates_per_second %.0f\npeak_rss_kb %ld\n", seconds > 0 ? double(app->updates) / seconds : 0.0,
                    PeakRssKb());
        if (o.monkey > 0)
        {
            const Autoplay::Monkey::Counts& m = app->MonkeyCounts();
            std::printf("monkey_acts %lld\nmonkey_buttons %lld\nmonkey_clicks %lld\nmonkey_drags %lld\n"
                        "monkey_keys %lld\nmonkey_wheels %lld\n",
                        static_cast<long long>(m.acts), static_cast<long long>(m.buttons),
                        static_cast<long long>(m.clicks), static_cast<long long>(m.drags),
                        static_cast<long long>(m.keys), static_cast<long long>(m.wheels));
        }
        if (o.measure)
        {
            const double memcpyUs = MemcpyScreenUs();
            const double frameUs = app->updateTime.Mean() + app->smoothTime.Mean() + app->drawTime.Mean();
            std::printf("update_us %.1f\nsmooth_update_us %.1f\ndraw_us %.1f\nmemcpy_screen_us %.1f\n",
                        app->updateTime.Mean(), app->smoothTime.Mean(), app->drawTime.Mean(), memcpyUs);
            std::printf("update_plus_draw_us %.1f\nshare_of_tick_percent %.2f\nupdate_plus_draw_per_memcpy %.2f\n",
                        frameUs, frameUs / 100.0, memcpyUs > 0 ? frameUs / memcpyUs : 0.0);
            std::printf("draws_per_second %.0f\n", seconds > 0 ? double(app->drawCount) / seconds : 0.0);
        }
        std::fflush(stdout);
    }
    ACE::fini();
    if (!o.keep)
    {
        std::error_code ec;
        fs::remove_all(scratch, ec);
    }
    return exitCode;
}
