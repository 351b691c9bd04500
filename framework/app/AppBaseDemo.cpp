// The demo side of AppBase: recording the loop's schedule, the input and
// window events, the outside world's answers and checkpoints into a demo
// file, and playing one back in place of the timing and the window's input.
//
// Recording writes the header at start and a chunk at least every second,
// so a run that is killed leaves a demo playable to its last second. Playback
// reads and checks the whole file before the window opens; it then runs the
// recorded updates, smooth updates and draws in their order, paced to real
// time in a window (FROTHWICK_PLAYBACK_SPEED) and as fast as it runs
// headless. The player's settings and files are never touched: the settings
// and the game's start state live in a scratch folder for the run.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <system_error>

#include "framework/app/AppBase.h"
#include "framework/app/DemoSession.h"
#include "framework/platform/FileReplace.h"
#include "framework/platform/UserFolders.h"

namespace Framework
{

namespace
{

// Far above any demo: hours of play are a few megabytes.
constexpr uint64_t MaxDemoBytes = 1ull << 30;
constexpr uint64_t MaxDataFileBytes = 256u << 20;
constexpr uint32_t CheckpointEvery = 1000;

const char* AnswerName(DemoAnswer kind)
{
    switch (kind)
    {
        case DemoAnswer::Minute:
            return "the minute";
        case DemoAnswer::MessageBox:
            return "a message box's answer";
        case DemoAnswer::Paste:
            return "pasted text";
        case DemoAnswer::Chooser:
            return "the file chooser's answer";
        case DemoAnswer::Import:
            return "an import's outcome";
    }
    return "an answer";
}

std::string RecordName(const DemoRecord& r)
{
    using K = DemoRecord::Kind;
    switch (r.kind)
    {
        case K::Updates:
            return "an update";
        case K::Smooth:
        case K::SmoothAgain:
            return "a smooth update";
        case K::Draw:
            return "a draw";
        case K::Input:
            return "an input event";
        case K::Window:
            return "a window event";
        case K::Loaded:
            return "the end of loading";
        case K::Answer:
            return AnswerName(r.answer);
        case K::Checkpoint:
            return "a checkpoint";
        case K::End:
            return "the end";
    }
    return "a record";
}

// Size and CRC-32 of a data file; false when it cannot be read.
bool DataFileOf(const std::string& path, DemoDataFile& out)
{
    std::vector<uint8_t> bytes;
    if (!ReadRegularFile(path, MaxDataFileBytes, bytes))
    {
        return false;
    }
    out.path = path;
    out.size = bytes.size();
    out.crc = DemoCrc32(bytes);
    return true;
}

// A folder of our own below the system's temporary folder.
std::filesystem::path MakeScratchFolder()
{
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
    {
        base = "/tmp";
    }
    std::string pattern = (base / "frothwick-play-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
    {
        return {};
    }
    return pattern;
}

} // namespace

std::string DemoClipboard::GetText()
{
    return app.DemoAnswerText(DemoAnswer::Paste, app.demoPlayback ? std::string() : DesktopClipboard().GetText());
}

bool DemoClipboard::SetText(const std::string& utf8)
{
    return app.demoPlayback || DesktopClipboard().SetText(utf8);
}

DemoSession::~DemoSession()
{
    if (&SystemClipboard() == &clipboard)
    {
        SetSystemClipboard(nullptr);
    }
    if (fd >= 0)
    {
        close(fd);
    }
    if (!scratch.empty())
    {
        std::error_code ec;
        std::filesystem::remove_all(scratch, ec);
    }
}

std::filesystem::path AppBase::DemoPath() const
{
    if (!demoFileAbsolute.empty())
    {
        return demoFileAbsolute;
    }
    const std::string name = demoNumber >= 0 ? "demo" + std::to_string(demoNumber) + ".dmo" : "demo.dmo";
    return UserFolders::DataDir(UserFolderName()) / "demos" / name;
}

uint32_t AppBase::DemoUpdates() const
{
    return demo ? demo->updates : 0;
}

uint32_t AppBase::DemoDraws() const
{
    return demo ? demo->draws : 0;
}

uint32_t AppBase::DemoCheckpointsMatched() const
{
    return demo ? demo->checkpoints : 0;
}

bool AppBase::DemoHeadless() const
{
    return demo && demo->headless;
}

bool AppBase::DemoLoadReached() const
{
    return !demo || !demoPlayback || demo->loadReached;
}

bool AppBase::DemoAnswersBoxes() const
{
    return demo && demoPlayback && demo->playing && !demo->finished;
}

void AppBase::DemoFail(const std::string& reason)
{
    ShowErrorBox("The demo " + DemoPath().string() + " cannot be played: " + reason);
    ExitProcess(1);
}

void AppBase::DemoOpen()
{
    if (!demoPlayback && !demoRecord)
    {
        return;
    }
    demo = std::make_unique<DemoSession>(*this);
    SetSystemClipboard(&demo->clipboard);
    const std::filesystem::path path = DemoPath();
    if (demoRecord)
    {
        DemoHeader& h = demo->header;
        h.programVersion = productVersion;
        h.date = static_cast<int64_t>(std::time(nullptr));
        h.tickMs = tickMs;
        h.name = title;
        h.seeds.assign(2, 0);
        for (const std::string& file : DemoDataFiles())
        {
            DemoDataFile f;
            if (DataFileOf(file, f))
            {
                h.dataFiles.push_back(std::move(f));
            }
        }
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        demo->fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (demo->fd < 0)
        {
            const std::string why = std::strerror(errno);
            demo.reset();
            ShowErrorBox("The demo " + path.string() + " cannot be written: " + why);
            ExitProcess(1);
        }
        return;
    }

    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadRegularFile(path, MaxDemoBytes, bytes, &error))
    {
        DemoFail(error.empty() ? "it cannot be read" : error);
    }
    if (!ReadDemo(bytes, demo->content, error))
    {
        DemoFail(error);
    }
    const DemoHeader& h = demo->content.header;
    if (h.seeds.size() < 2)
    {
        DemoFail("it holds no seeds");
    }
    for (const DemoDataFile& recorded : h.dataFiles)
    {
        DemoDataFile now;
        if (!DataFileOf(recorded.path, now))
        {
            DemoFail("it was recorded with other game data: " + recorded.path + " is missing here");
        }
        if (now.size != recorded.size || now.crc != recorded.crc)
        {
            DemoFail("it was recorded with other game data: " + recorded.path + " differs");
        }
    }
    if (h.tickMs != tickMs)
    {
        DemoFail("it was recorded with updates of " + std::to_string(h.tickMs) + " ms");
    }
    demo->scratch = MakeScratchFolder();
    if (demo->scratch.empty())
    {
        DemoFail("no scratch folder for its settings and players can be made");
    }
    // The settings as they were read at the recording's start, in a folder
    // of the playback's own.
    settingsRoot = demo->scratch / "config";
    if (const DemoState* settings = h.FindState("settings"); settings && settings->present)
    {
        std::error_code ec;
        std::filesystem::create_directories(SettingsFile().parent_path(), ec);
        if (!ReplaceFile(SettingsFile(), std::span<const unsigned char>(settings->bytes), error, 0600))
        {
            DemoFail("its settings cannot be set up: " + error);
        }
    }
    if (!DemoRestoreStartState(h, demo->scratch, error))
    {
        DemoFail(error);
    }
    demo->headless = platform && (platform->VideoDriver() == "dummy" || platform->VideoDriver() == "offscreen");
    if (demoSpeed >= 0)
    {
        demo->speed = demoSpeed;
    }
    else if (demo->headless)
    {
        demo->speed = 0;
    }
    else if (const char* text = std::getenv("FROTHWICK_PLAYBACK_SPEED"); text && *text)
    {
        char* end = nullptr;
        const double factor = std::strtod(text, &end);
        if (std::string(text) == "max")
        {
            demo->speed = 0;
        }
        else if (end && *end == 0 && std::isfinite(factor) && factor > 0)
        {
            demo->speed = factor;
        }
    }
    demo->playing = true;
}

uint64_t AppBase::DemoSeed(uint64_t chosen)
{
    if (!demo)
    {
        return chosen;
    }
    if (demoPlayback)
    {
        return demo->content.header.seeds[0];
    }
    demo->header.seeds[0] = chosen;
    return chosen;
}

uint32_t AppBase::DemoCLibrarySeed(uint32_t chosen)
{
    if (!demo)
    {
        return chosen;
    }
    if (demoPlayback)
    {
        return static_cast<uint32_t>(demo->content.header.seeds[1]);
    }
    demo->header.seeds[1] = chosen;
    return chosen;
}

void AppBase::DemoStart()
{
    if (!demo || !demoRecord)
    {
        return;
    }
    DemoHeader& h = demo->header;
    h.refreshRate = refreshRate;
    DemoState settings;
    settings.name = "settings";
    settings.present = !registryKey.empty() && ReadRegularFile(SettingsFile(), 16u << 20, settings.bytes);
    h.state.push_back(std::move(settings));
    DemoRecordStartState(h.state);
    const std::vector<uint8_t> bytes = EncodeDemoHeader(h);
    if (!WriteAll(demo->fd, bytes.data(), bytes.size()))
    {
        std::fprintf(stderr, "demo: %s cannot be written: %s\n", DemoPath().c_str(), std::strerror(errno));
        close(demo->fd);
        demo->fd = -1;
    }
    demo->lastFlushMs = clock->NowMs();
    demo->playing = true;
}

void AppBase::DemoFlush(bool force)
{
    if (!demo || !demoRecord)
    {
        return;
    }
    const uint32_t now = clock->NowMs();
    std::vector<uint8_t> bytes;
    if (force || now - demo->lastFlushMs >= 1000)
    {
        bytes = demo->writer.TakeChunk();
        demo->lastFlushMs = now;
    }
    else
    {
        bytes = demo->writer.TakeFullChunks();
    }
    if (bytes.empty() || demo->fd < 0)
    {
        return;
    }
    if (!WriteAll(demo->fd, bytes.data(), bytes.size()))
    {
        std::fprintf(stderr, "demo: writing %s failed: %s\n", DemoPath().c_str(), std::strerror(errno));
        close(demo->fd);
        demo->fd = -1;
    }
}

void AppBase::DemoStop()
{
    if (!demo || !demo->playing)
    {
        return;
    }
    if (demoRecord)
    {
        if (!demo->ended)
        {
            demo->ended = true;
            demo->writer.Add(DemoRecord::End(demo->updates, demo->draws, demo->checkpoints));
            DemoFlush(true);
            if (demo->fd >= 0)
            {
                fsync(demo->fd);
                close(demo->fd);
                demo->fd = -1;
            }
        }
        return;
    }
    if (demo->finished)
    {
        return;
    }
    // The game stopped on its own: the recording must end here too.
    const std::vector<DemoRecord>& records = demo->content.records;
    if (demo->remainingUpdates == 0 && demo->next < records.size() && records[demo->next].kind == DemoRecord::Kind::End)
    {
        DemoFinish(true);
    }
    else if (demo->remainingUpdates == 0 && demo->next >= records.size())
    {
        DemoFinish(false);
    }
    else
    {
        DemoOutOfStep("the game stopped where the recording goes on");
    }
}

void AppBase::DemoBeforeUpdate(bool loading)
{
    if (!demo || !demo->playing)
    {
        return;
    }
    if (demoRecord && !demo->ended)
    {
        if (loading)
        {
            demo->writer.Add(DemoRecord::Loaded());
        }
        demo->writer.Add(DemoRecord::Updates(1));
    }
    ++demo->updates;
}

void AppBase::DemoAfterUpdate()
{
    if (!demo || !demo->playing)
    {
        return;
    }
    // The game's own reason is asked every update, so it sees every one.
    const bool stageEnd = DemoCheckpointDue();
    const bool due = stageEnd || demo->updates % CheckpointEvery == 0;
    if (demoRecord)
    {
        if (due && !demo->ended)
        {
            DemoCheckpoint c;
            DemoCheckpointState(c);
            c.update = demo->updates;
            demo->writer.Add(DemoRecord::Checkpoint(c));
            ++demo->checkpoints;
        }
        DemoFlush(false);
        return;
    }
    if (demo->finished || !due)
    {
        return;
    }
    const std::vector<DemoRecord>& records = demo->content.records;
    // A recording that stopped during this update wrote no checkpoint after it.
    const bool recorded =
        demo->remainingUpdates == 0 && demo->next < records.size() &&
        (records[demo->next].kind == DemoRecord::Kind::Checkpoint || records[demo->next].kind == DemoRecord::Kind::End);
    if (!recorded && demo->next < records.size())
    {
        DemoOutOfStep(stageEnd ? "a stage ended that did not in the recording"
                               : "the recording has no checkpoint here");
    }
}

void AppBase::DemoSmooth(double fraction)
{
    if (demo && demoRecord && demo->playing && !demo->ended)
    {
        demo->writer.Add(DemoRecord::Smooth(fraction));
    }
}

bool AppBase::DemoDraw()
{
    if (!demo || !demo->playing)
    {
        return true;
    }
    if (demoRecord)
    {
        if (!demo->ended)
        {
            demo->writer.Add(DemoRecord::Draw());
            ++demo->draws;
            DemoFlush(false);
        }
        return true;
    }
    if (demo->finished)
    {
        return true;
    }
    if (demo->executingDraw)
    {
        ++demo->draws;
        return true;
    }
    // A draw the game asked for itself (before a message box): the
    // recording holds it at this place.
    const std::vector<DemoRecord>& records = demo->content.records;
    if (demo->remainingUpdates == 0 && demo->next < records.size() &&
        records[demo->next].kind == DemoRecord::Kind::Draw)
    {
        ++demo->next;
        ++demo->draws;
        return true;
    }
    DemoOutOfStep("the game drew where the recording has " + (demo->next < records.size() && demo->remainingUpdates == 0
                                                                  ? RecordName(records[demo->next])
                                                                  : std::string("an update")));
    return false;
}

void AppBase::DemoInput(const InputEvent& event)
{
    if (demo && demoRecord && demo->playing && !demo->ended)
    {
        demo->writer.Add(DemoRecord::Input(event));
    }
}

void AppBase::DemoWindowEvent(const WindowEvent& event)
{
    if (!demo || !demo->playing)
    {
        return;
    }
    if (demoRecord)
    {
        // A move only changes the saved window place.
        if (!demo->ended && event.type != WindowEvent::Type::Moved)
        {
            demo->writer.Add(DemoRecord::Window(event));
        }
        return;
    }
    // The viewer's window: a close ends the playback, an exposure is
    // presented whole again; nothing reaches the game.
    switch (event.type)
    {
        case WindowEvent::Type::CloseRequested:
        case WindowEvent::Type::QuitRequested:
            DemoViewerStop();
            break;
        case WindowEvent::Type::Exposed:
            if (display)
            {
                display->Invalidate();
            }
            break;
        default:
            break;
    }
}

int64_t AppBase::DemoAnswerValue(DemoAnswer kind, int64_t live)
{
    return std::strtoll(DemoAnswerText(kind, std::to_string(live)).c_str(), nullptr, 10);
}

std::string AppBase::DemoAnswerText(DemoAnswer kind, const std::string& live)
{
    if (!demo || !demo->playing)
    {
        return live;
    }
    // Numbers travel as the value, text as the text.
    const bool numeric = kind == DemoAnswer::Minute || kind == DemoAnswer::MessageBox || kind == DemoAnswer::Import;
    if (demoRecord)
    {
        if (!demo->ended)
        {
            demo->writer.Add(numeric ? DemoRecord::Answer(kind, std::strtoll(live.c_str(), nullptr, 10))
                                     : DemoRecord::Answer(kind, 1, live));
        }
        return live;
    }
    if (demo->finished)
    {
        return live;
    }
    const std::vector<DemoRecord>& records = demo->content.records;
    if (demo->remainingUpdates == 0 && demo->next < records.size() &&
        records[demo->next].kind == DemoRecord::Kind::Answer && records[demo->next].answer == kind)
    {
        const DemoRecord& r = records[demo->next++];
        return numeric ? std::to_string(r.value) : r.text;
    }
    if (demo->next >= records.size() && demo->remainingUpdates == 0)
    {
        return live; // a demo cut before this answer: it ends at the next step
    }
    DemoOutOfStep(std::string("the game asked for ") + AnswerName(kind) + " where the recording has " +
                  (demo->remainingUpdates > 0 ? std::string("an update") : RecordName(records[demo->next])));
    return live;
}

void AppBase::DemoReplayUntilAnswer()
{
    if (!demo || !demo->playing || demoRecord || demo->finished)
    {
        return;
    }
    const std::vector<DemoRecord>& records = demo->content.records;
    using K = DemoRecord::Kind;
    while (!shutdown && !demo->finished && demo->remainingUpdates == 0 && demo->next < records.size())
    {
        const DemoRecord& r = records[demo->next];
        if (r.kind == K::Draw)
        {
            ++demo->next;
            demo->executingDraw = true;
            DrawDirty();
            demo->executingDraw = false;
        }
        else if (r.kind == K::Window)
        {
            ++demo->next;
            const WindowEvent e = r.window;
            ApplyWindowEvent(e);
        }
        else
        {
            break;
        }
    }
}

void AppBase::DemoOutOfStep(const std::string& what)
{
    if (!demo || demo->finished)
    {
        return;
    }
    demo->finished = true;
    exitCode = 1;
    const std::string message = "The demo went out of step at update " + std::to_string(demo->updates) + ": " + what;
    std::fprintf(stderr, "%s\n", message.c_str());
    if (platform && !demo->headless)
    {
        platform->ShowMessageBox(message, "FATAL ERROR", MB_OK | MB_ICONERROR);
    }
    StopApplication();
}

bool AppBase::DemoLoadingFailed()
{
    if (!loadingFailed)
    {
        return false;
    }
    // The loading thread failed (it showed why): stop as the loop would.
    demo->finished = true;
    exitCode = 1;
    StopApplication();
    return true;
}

void AppBase::DemoViewerStop()
{
    if (!demo->finished)
    {
        demo->finished = true;
        std::printf("demo: stopped at update %u of the recording\n", demo->updates);
        std::fflush(stdout);
    }
    StopApplication();
}

void AppBase::DemoFinish(bool reachedEnd)
{
    if (demo->finished)
    {
        return;
    }
    const std::vector<DemoRecord>& records = demo->content.records;
    if (reachedEnd)
    {
        const DemoRecord& end = records[demo->next];
        if (end.value != demo->draws)
        {
            DemoOutOfStep(std::to_string(demo->draws) + " draws, recorded " + std::to_string(end.value));
            return;
        }
        if (end.count != demo->checkpoints)
        {
            DemoOutOfStep(std::to_string(demo->checkpoints) + " checkpoints, recorded " + std::to_string(end.count));
            return;
        }
        ++demo->next;
    }
    demo->finished = true;
    std::printf("demo: %u updates, %u draws, %u checkpoints matched\n", demo->updates, demo->draws, demo->checkpoints);
    std::fflush(stdout);
    if (!reachedEnd)
    {
        std::fprintf(stderr, "demo: %s has no end record (the recording was cut%s); played to its end\n",
                     DemoPath().c_str(),
                     demo->content.cutAt ? (" at byte " + std::to_string(demo->content.cutAt)).c_str() : "");
    }
    StopApplication();
}

bool AppBase::DemoPlaybackStep(bool& updated)
{
    updated = false;
    if (DemoLoadingFailed())
    {
        return true;
    }
    PumpMessages();
    inputQueue.clear(); // the window's own input does not reach the game
    const std::vector<DemoRecord>& records = demo->content.records;
    for (int budget = 256; budget > 0 && !shutdown && !demo->finished; --budget)
    {
        if (demo->remainingUpdates > 0)
        {
            if (demo->speed > 0)
            {
                const uint32_t now = clock->NowMs();
                if (!demo->paceStarted)
                {
                    demo->paceStarted = true;
                    demo->paceStartMs = now;
                }
                const double dueAt = double(demo->pacedUpdates) * tickMs / demo->speed;
                const double wait = dueAt - double(now - demo->paceStartMs);
                if (wait >= 1)
                {
                    clock->SleepMs(static_cast<uint32_t>(std::min(wait, 10.0)));
                    return true;
                }
            }
            --demo->remainingUpdates;
            ++demo->pacedUpdates;
            RunTick();
            ProcessDeferredDeletes();
            updated = true;
            return true;
        }
        if (demo->next >= records.size())
        {
            DemoFinish(false);
            return true;
        }
        const DemoRecord& r = records[demo->next];
        using K = DemoRecord::Kind;
        switch (r.kind)
        {
            case K::Updates:
                demo->remainingUpdates = r.count;
                ++demo->next;
                break;
            case K::Smooth:
            case K::SmoothAgain:
                ++demo->next;
                TickSmooth(r.fraction);
                ProcessDeferredDeletes();
                break;
            case K::Draw:
                ++demo->next;
                demo->executingDraw = true;
                DrawDirty();
                demo->executingDraw = false;
                ProcessDeferredDeletes();
                break;
            case K::Input:
            {
                ++demo->next;
                const InputEvent e = r.input;
                if (display && (e.type == InputEvent::Type::MouseMove || e.type == InputEvent::Type::MouseDown ||
                                e.type == InputEvent::Type::MouseUp))
                {
                    display->SetCursorPosition(e.x, e.y); // the software cursor follows the recorded pointer
                }
                HandOverInput(e);
                break;
            }
            case K::Window:
            {
                ++demo->next;
                const WindowEvent e = r.window;
                ApplyWindowEvent(e);
                break;
            }
            case K::Loaded:
                ++demo->next;
                // The recording's loading ended before this update: so does ours.
                WaitForLoadingThread();
                if (DemoLoadingFailed())
                {
                    return true;
                }
                demo->loadReached = true;
                break;
            case K::Answer:
                DemoOutOfStep(std::string("the recording has ") + AnswerName(r.answer) +
                              " that the game did not ask for");
                return true;
            case K::Checkpoint:
            {
                DemoCheckpoint mine;
                DemoCheckpointState(mine);
                mine.update = demo->updates;
                const DemoCheckpoint& want = r.checkpoint;
                std::string differs;
                const auto compare = [&differs](const char* name, int64_t have, int64_t recorded)
                {
                    if (have != recorded)
                    {
                        differs += std::string(differs.empty() ? "" : "; ") + name + " " + std::to_string(have) +
                                   ", recorded " + std::to_string(recorded);
                    }
                };
                compare("update", mine.update, want.update);
                compare("mode", mine.mode, want.mode);
                compare("stage", mine.stage, want.stage);
                compare("score", mine.score, want.score);
                compare("grid CRC", mine.gridCrc, want.gridCrc);
                compare("shot", mine.shot, want.shot);
                compare("next", mine.next, want.next);
                if (!differs.empty())
                {
                    DemoOutOfStep(differs);
                    return true;
                }
                ++demo->next;
                ++demo->checkpoints;
                break;
            }
            case K::End:
                DemoFinish(true);
                return true;
        }
    }
    return true;
}

} // namespace Framework
