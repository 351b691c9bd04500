// DemoSession: what the application base keeps while it records or plays
// back a demo (AppBaseDemo.cpp). Main thread only.
#pragma once

#include <cstdint>
#include <filesystem>

#include "framework/app/DemoFile.h"
#include "framework/platform/Clipboard.h"

namespace Framework
{

class AppBase;

// The clipboard the text fields see during a demo: a paste is an answer of
// the outside world (kept when recording, replayed when playing back); a
// playback never writes the viewer's clipboard.
class DemoClipboard final : public Clipboard
{
public:
    explicit DemoClipboard(AppBase& owner) : app(owner) {}
    std::string GetText() override;
    bool SetText(const std::string& utf8) override;

private:
    AppBase& app;
};

struct DemoSession
{
    explicit DemoSession(AppBase& app) : clipboard(app) {}
    ~DemoSession(); // closes the file, removes the scratch folder, gives the clipboard back

    DemoClipboard clipboard;

    bool playing = false; // the demo has started (header written or file checked)

    // --- recording ---
    int fd = -1;
    DemoWriter writer;
    DemoHeader header;
    uint32_t lastFlushMs = 0;
    bool ended = false; // the end record is written

    // --- playback ---
    DemoContent content;
    size_t next = 0;               // the record to run next
    uint32_t remainingUpdates = 0; // of the current run of updates
    bool loadReached = false;
    bool executingDraw = false;
    bool finished = false;
    bool headless = false;
    double speed = 1; // 0: as fast as it runs
    bool paceStarted = false;
    uint32_t paceStartMs = 0;
    uint64_t pacedUpdates = 0;
    std::filesystem::path scratch; // settings and the game's files of this playback

    // --- both ---
    uint32_t updates = 0; // RunTick calls
    uint32_t draws = 0;   // DrawDirty calls
    uint32_t checkpoints = 0;
};

} // namespace Framework
