// The in-game dialogs' test bench: a fake application (fake platform and
// clock, real profiles in a scratch folder, real high-score tables and
// pause holds) answering GameDialogHost, a play field that records the
// building blocks it is asked for, a board with the field at (15, 37) in
// the widget manager, and blank pictures of known colours and sizes bound
// to the dialogs' images.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppBaseTestApp.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/core/UserPaths.h"
#include "src/records/HighScoreTables.h"
#include "src/screens/common/PauseHolds.h"
#include "src/screens/dialogs/GameDialogHost.h"
#include "src/screens/dialogs/PlayFieldControls.h"
#include "support/FixedWidthFont.h"
#include "support/TestTemp.h"

namespace DialogTest
{

using Calls = std::vector<std::string>;

// The game in play: its state, and the stage operations recorded.
class FakePlay final : public PlayHost
{
public:
    FakePlay(Calls& callLog, PlayerProfiles& playerProfiles) : calls(callLog), profiles(playerProfiles) {}

    PlayState state;

    PlayState& State() override { return state; }
    void PlaySound(int32_t) override {}
    void StartWindLoop() override {}
    void StopWindLoop() override {}
    void ResetStage() override { calls.push_back("reset stage"); }
    void StageReached(int32_t stageId) override
    {
        calls.push_back("stage " + std::to_string(stageId));
        state.stageId = stageId;
        profiles.StageReached(state.world, stageId % 10000);
    }
    void EndStage(bool) override {}
    void ConfigureObstacles() override {}
    int32_t ObstacleCount(int32_t) const override { return 0; }
    int32_t ColourCount() const override { return 4; }
    void StampStageStart() override {}
    void TraceStageStart() override { calls.push_back("trace"); }

private:
    Calls& calls;
    PlayerProfiles& profiles;
};

class FakeHost : public GameDialogHost
{
public:
    explicit FakeHost(const std::filesystem::path& profilePath) : profiles(ProfileFile(profilePath)) {}

    FrothwickTest::TestApp app;
    Calls calls;
    PlayerProfiles profiles;
    FakePlay play{calls, profiles};
    HighScoreTables tables;
    PauseHolds holds{[this](bool on)
                     {
                         play.state.paused = on;
                         calls.push_back(on ? "pause" : "unpause");
                     }};
    std::vector<int32_t> warnings;
    std::vector<int32_t> sounds;
    std::vector<int32_t> cursors;
    int32_t avatarReloads = 0;

    Framework::AppBase& Application() override { return app; }
    PlayerProfiles& Profiles() override { return profiles; }
    bool AddPlayer(const PlayerRecord& record) override { return profiles.AddPlayer(record); }
    void SetCurrentPlayer(const PlayerRecord& record) override { profiles.SetCurrentPlayer(record); }
    void ReloadAvatarImage() override { ++avatarReloads; }
    void ShowWarning(int32_t kind) override { warnings.push_back(kind); }
    void ShowPanel(int32_t, bool) override {}
    int32_t ShownPanel() override { return 1; }
    void ShowCreatePlayer() override {}
    void BeginQuit() override { calls.push_back("quit"); }
    void SetPaused(bool on) override
    {
        play.state.paused = on;
        calls.push_back(on ? "set paused" : "set unpaused");
    }
    PauseHolds* GamePauses() override { return &holds; }
    void PlaySound(int32_t soundId) override { sounds.push_back(soundId); }
    void SetCursor(int32_t cursor) override { cursors.push_back(cursor); }

    PlayHost& Play() override { return play; }
    void PlayStageMusic(int32_t song) override { calls.push_back("music " + std::to_string(song)); }
    void ShowMainMenu(int32_t panel, bool fade) override
    {
        // As the application does: every top-level widget goes, the game ends.
        app.widgetManager->RemoveAllChildren();
        holds.End();
        calls.push_back("menu " + std::to_string(panel) + (fade ? " fade" : ""));
    }
    void ShowExitDialog() override { calls.push_back("exit dialog"); }
    HighScoreTables& HighScores() override { return tables; }
};

class RecordingField final : public PlayFieldControls
{
public:
    explicit RecordingField(Calls& callLog) : calls(callLog) {}

    void ClearGrid() override { calls.push_back("clear grid"); }
    void LoadStageFile(int32_t stageId) override { calls.push_back("load stage " + std::to_string(stageId)); }
    void GenerateStage(int32_t world) override { calls.push_back("generate " + std::to_string(world)); }
    void PrepareShots() override { calls.push_back("prepare shots"); }
    void SetShowGoal(bool on) override { calls.push_back(std::string("goal ") + (on ? "1" : "0")); }
    void SetShowShine(bool on) override { calls.push_back(std::string("shine ") + (on ? "1" : "0")); }
    void SetPushDownPending(bool on) override { calls.push_back(std::string("push-down ") + (on ? "1" : "0")); }
    void ClearSunkDrops() override { calls.push_back("sunk drops cleared"); }
    void AddFadeIn() override { calls.push_back("fade in"); }

private:
    Calls& calls;
};

// A picture of one colour.
inline void Solid(Framework::MemoryImage& image, int32_t w, int32_t h, uint32_t colour)
{
    const std::vector<uint32_t> pixels(size_t(w) * size_t(h), colour);
    image.SetPixels(pixels.data(), w, h, true);
}

// A widget that counts the presses it gets.
class PressCounter : public Framework::Widget
{
public:
    int32_t presses = 0;
    void MouseDown(int32_t, int32_t, int32_t) override { ++presses; }
    using Framework::Widget::MouseDown;
};

class DialogBench : public ::testing::Test
{
protected:
    DialogBench()
    {
        dir = TestSupport::TestTempDir("dialogs");
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "data");
        std::filesystem::remove_all(Game::UserDataDir());
        oldDirectory = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        FONT_VERDANA10BOLD = &font;
        widgets = host->app.widgetManager.get();
        widgets->width = 800;
        widgets->height = 600;
        screen.Allocate(800, 600);
        widgets->screenImage = &screen;
        board.Resize(0, 0, 800, 600);
        fieldWidget.Resize(15, 37, 791, 560);
        board.AddWidget(&fieldWidget);
        widgets->AddWidget(&board);
        host->holds.Begin();
        host->calls.clear();
    }
    ~DialogBench() override
    {
        widgets->RemoveAllChildren();
        board.RemoveAllChildren();
        std::filesystem::current_path(oldDirectory);
        ResetResourceVariables();
    }

    // A single left click at a screen point, the pointer arriving first.
    void Click(int32_t px, int32_t py)
    {
        widgets->MouseMove(px, py);
        widgets->MouseDown(px, py, 1);
        widgets->MouseUp(px, py, 1);
    }
    void ClickOn(Framework::Widget* widget)
    {
        const Framework::Point at = widget->GetScreenPos();
        Click(at.x + widget->width / 2, at.y + widget->height / 2);
    }

    std::filesystem::path dir;
    std::filesystem::path oldDirectory;
    TestSupport::FixedWidthFont font;
    // The profile file's path is relative: the scratch folder made current.
    std::unique_ptr<FakeHost> host = std::make_unique<FakeHost>(std::filesystem::path("data") / "usr.dat");
    Framework::WidgetManager* widgets = nullptr;
    Framework::MemoryImage screen;
    PressCounter board;
    PressCounter fieldWidget;
    RecordingField field{host->calls};
};

} // namespace DialogTest
