// The menu screens' test bench: a widget manager on a memory screen, a host
// that records what the screens ask for, the screens' background images
// bound to blank pictures of known sizes, and pointer helpers.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/MemoryImage.h"
#include "src/screens/common/MenuHost.h"
#include "src/core/ResourceIds.h"
#include "widgets/WidgetProbe.h"

namespace TestSupport
{

constexpr int32_t TestSoundBtonOn = 31;
constexpr int32_t TestSoundSelectW = 32;

class RecordingMenuHost : public MenuHost
{
public:
    std::vector<std::string> calls;
    std::vector<int32_t> sounds;
    std::vector<int32_t> cursors;
    int32_t mode = Game::ModeArcade;
    int32_t world = 3;
    int32_t progress = 0;
    bool paused = true;
    // When set, ShowMainMenu and StartGame empty it as the application does.
    Framework::WidgetManager* manager = nullptr;

    void PlaySound(int32_t soundId) override { sounds.push_back(soundId); }
    void SetCursor(int32_t cursor) override { cursors.push_back(cursor); }
    void SetGameMode(int32_t value) override
    {
        mode = value;
        calls.push_back("mode " + std::to_string(value));
    }
    int32_t GetGameMode() const override { return mode; }
    void SetDifficulty(int32_t value) override { calls.push_back("difficulty " + std::to_string(value)); }
    void SetWorld(int32_t value) override
    {
        world = value;
        calls.push_back("world " + std::to_string(value));
    }
    int32_t GetWorld() const override { return world; }
    int32_t WorldProgress() const override { return progress; }
    void StageReached(int32_t stageId) override { calls.push_back("stage " + std::to_string(stageId)); }
    void StartGame() override
    {
        ClearScreen();
        calls.push_back("start");
    }
    void ShowMainMenu(int32_t panel, bool fade) override
    {
        ClearScreen();
        calls.push_back("menu " + std::to_string(panel) + (fade ? " fade" : ""));
    }
    void ShowExitDialog() override { calls.push_back("exit dialog"); }
    void SetPaused(bool on) override
    {
        paused = on;
        calls.push_back(on ? "pause" : "unpause");
    }
    void ResetStage() override { calls.push_back("reset stage"); }
    void ReleaseGameEffects() override { calls.push_back("release effects"); }
    void ShowPanel(int32_t panel, bool fade) override
    {
        calls.push_back("panel " + std::to_string(panel) + (fade ? " fade" : ""));
    }
    void ShowSettings() override { calls.push_back("settings"); }
    void ResetStageChooser() override { calls.push_back("reset chooser"); }

private:
    void ClearScreen()
    {
        if (manager != nullptr)
        {
            manager->RemoveAllChildren();
        }
    }
};

class MenuBench : public ::testing::Test, public ProbeScreen
{
protected:
    MenuBench()
    {
        Blank(uiMain, 196, 190, IMAGE_UI_MAIN);
        Blank(uiDiff, 196, 190, IMAGE_UI_DIFF);
        Blank(changeMode, 200, 160, IMAGE_CHANGEMODE);
        Blank(stageBackground, 400, 376, IMAGE_STAGESELECTOR_BG);
        SOUND_BTON_ON = TestSoundBtonOn;
        SOUND_SELECT_W = TestSoundSelectW;
    }
    ~MenuBench() override { ResetResourceVariables(); }

    static void Blank(Framework::MemoryImage& image, int32_t w, int32_t h, Framework::Image*& variable)
    {
        image.Allocate(w, h);
        variable = &image;
    }

    // A single left click at a screen point, the pointer arriving first.
    void Click(int32_t px, int32_t py, int32_t clickCount = 1)
    {
        manager.MouseMove(px, py);
        manager.MouseDown(px, py, clickCount);
        manager.MouseUp(px, py, clickCount);
    }

    // A click in the middle of a child widget of a screen.
    void ClickOn(Framework::Widget& widget)
    {
        const Framework::Point at = widget.GetScreenPos();
        Click(at.x + widget.width / 2, at.y + widget.height / 2);
    }

    void Updates(int32_t count)
    {
        for (int32_t i = 0; i < count; ++i)
        {
            manager.RunUpdatePass();
        }
    }

    RecordingMenuHost host;
    Framework::MemoryImage uiMain;
    Framework::MemoryImage uiDiff;
    Framework::MemoryImage changeMode;
    Framework::MemoryImage stageBackground;
};

using Calls = std::vector<std::string>;

} // namespace TestSupport
