// The game screen in a widget manager on a memory screen: the background by
// world, the fade from black over 85 updates under the animation list, the
// timer's due tasks run by the board's smooth update; the side panel's
// buttons (CHANGE MODE opens its dialog modal and pauses, the other four
// are disabled) with their sounds and cursors.
#include "src/screens/game/Board.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "external/lumora/EffectManager.h"
#include "external/lumora/ParticleSystemManager.h"
#include "external/timer/TimeManager.h"
#include "external/timer/TimerTask.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/common/MenuTestSupport.h"
#include "src/core/ResourceIds.h"
#include "src/effects/SpriteAnimation.h"
#include "src/play/GameAreaWidget.h"
#include "src/play/GoalDecoration.h"
#include "src/screens/common/InGameScreens.h"
#include "src/screens/dialogs/ChangeModeDialog.h"
#include "tests/game/play/FieldTestSupport.h"
#include "tests/game/play/PanelTestSupport.h"

using PanelTests::PanelHost;
using PanelTests::Strip;

namespace
{

constexpr uint32_t Sand = 0xFF806040u;

// The screens the field opens, in the order it asks for them.
class ScreensRecorder final : public InGameScreens
{
public:
    std::vector<std::string> calls;

    void ShowHighScores(int32_t rank, bool atStageEnd) override
    {
        calls.push_back("high scores " + std::to_string(rank) + (atStageEnd ? " end" : " browse"));
    }
    void ShowCongratulation() override { calls.push_back("congratulation"); }
    void ShowHelp() override { calls.push_back("help"); }
    void ShowSettings() override { calls.push_back("settings"); }
    void ShowChangeMode() override { calls.push_back("change mode"); }
    void ShowPause() override { calls.push_back("pause"); }
};

// Paints one pixel at the field's (0, 0) on every draw; never done.
class Marker final : public SpriteAnimation
{
public:
    Marker() : SpriteAnimation(nullptr, 0, 0, 0, 0.0f) {}
    void Draw(Framework::Graphics* g) override
    {
        g->SetColor(Framework::Color(0, 255, 0));
        g->FillRect(0, 0, 1, 1);
    }
};

class CountingTask final : public TimerTask
{
public:
    int32_t runs = 0;
    void HandleTimeout() override { ++runs; }
};

class BoardTest : public TestSupport::MenuBench
{
protected:
    BoardTest()
    {
        FieldTests::SeedEverything(3);
        GoalDecorationFrames::Reset();
        sand = Strip(1, 800, 600, [](int32_t) { return Sand; });
        IMAGE_BG_EARTH = sand.get();
        IMAGE_BG_WATER = sand.get();
        changeModeArt = Strip(4, 102, 56, [](int32_t n) { return 0xFF000010u + uint32_t(n); });
        IMAGE_BUTTON_CHGMODE = changeModeArt.get();
        panelHost.state.world = Game::WorldEarth;
    }

    ~BoardTest() override
    {
        manager.RemoveAllChildren();
        board.reset();
        Lumora::EffectManager::Release();
        Lumora::ParticleSystemManager::Release();
        SpriteAnimationManager::Release();
    }

    Board& Make()
    {
        if (board)
        {
            manager.RemoveWidget(board.get());
        }
        board = std::make_shared<Board>(panelHost, &host);
        board->Resize(0, 0, 800, 600);
        board->ShowWorldBackground(panelHost.state.world);
        manager.AddWidget(board.get());
        return *board;
    }

    void SmoothUpdates(int32_t count)
    {
        for (int32_t i = 0; i < count; ++i)
        {
            manager.RunSmoothUpdatePass(1.0);
        }
    }

    uint32_t Drawn(int32_t px, int32_t py)
    {
        manager.MarkDirty();
        manager.RunDrawPass();
        return screen.GetPixel(px, py);
    }

    PanelHost panelHost;
    std::unique_ptr<Framework::MemoryImage> sand;
    std::unique_ptr<Framework::MemoryImage> changeModeArt;
    std::shared_ptr<Board> board;
};

} // namespace

TEST_F(BoardTest, TheBackgroundFollowsTheWorldAndStaysForAnyOther)
{
    Board& b = Make();
    EXPECT_EQ(b.GetBackground(), IMAGE_BG_EARTH);
    auto blue = Strip(1, 800, 600, [](int32_t) { return 0xFF0000FFu; });
    IMAGE_BG_AIR = blue.get();
    b.ShowWorldBackground(Game::WorldAir);
    EXPECT_EQ(b.GetBackground(), blue.get());
    b.ShowWorldBackground(0);
    b.ShowWorldBackground(5);
    EXPECT_EQ(b.GetBackground(), blue.get());
}

TEST_F(BoardTest, TheScreenComesOutOfBlackInEightyFiveUpdatesUnderTheAnimations)
{
    Make();
    SpriteAnimationManager::Instance().Add(std::make_shared<Marker>());
    EXPECT_EQ(Drawn(5, 5), 0xFF000000u);
    // The animations are drawn over the fade.
    EXPECT_EQ(screen.GetPixel(15, 37), 0xFF00FF00u);

    SmoothUpdates(84);
    EXPECT_EQ(board->GetFade(), 3);
    EXPECT_NE(Drawn(5, 5), Sand);
    SmoothUpdates(1);
    EXPECT_EQ(board->GetFade(), 0);
    EXPECT_EQ(Drawn(5, 5), Sand);
    SmoothUpdates(5);
    EXPECT_EQ(board->GetFade(), 0);

    // The next game's board starts black again.
    Make();
    EXPECT_EQ(board->GetFade(), 255);
    EXPECT_EQ(Drawn(5, 5), 0xFF000000u);
}

TEST_F(BoardTest, EverySmoothUpdateOfTheBoardRunsTheDueTimerTasks)
{
    TimeManager::Instance()->Init();
    Make();
    auto now = std::make_shared<ACE_Time_Value>(1000, 0);
    TimeManager::Instance()->SetClock([now] { return *now; });
    auto task = std::make_shared<CountingTask>();
    TimeManager::Instance()->ReSchedule(task, ACE_Time_Value(8, 0), ACE_Time_Value(8, 0));
    SmoothUpdates(1);
    EXPECT_EQ(task->runs, 0);
    *now += ACE_Time_Value(8, 0);
    SmoothUpdates(1);
    EXPECT_EQ(task->runs, 1);
    TimeManager::Instance()->Cancel(task);
    TimeManager::Instance()->SetClock({});
}

TEST_F(BoardTest, TheSidePanelWaitsForTheScreensThenOpensEachThroughThem)
{
    Make();
    GameAreaWidget& field = *board->GetPlayField();
    // The menus' host was given: the change-mode dialog exists, unopened.
    ASSERT_NE(board->GetChangeModeDialog(), nullptr);
    EXPECT_EQ(board->GetChangeModeDialog()->parent, nullptr);

    Framework::ButtonWidget* changeModeButton = field.GetButton(GameAreaWidget::ButtonChangeMode);
    ASSERT_NE(changeModeButton, nullptr);
    EXPECT_EQ(changeModeButton->GetScreenPos().x, 626);
    EXPECT_EQ(changeModeButton->GetScreenPos().y, 66);

    // Without the screens every button is disabled: no sound, no action,
    // and a stage end shows nothing.
    for (int32_t id = GameAreaWidget::ButtonChangeMode; id <= GameAreaWidget::ButtonTips; ++id)
    {
        ASSERT_NE(field.GetButton(id), nullptr);
        EXPECT_TRUE(field.GetButton(id)->disabled) << id;
    }
    ClickOn(*changeModeButton);
    field.ShowHighScores(2, true);
    EXPECT_TRUE(panelHost.sounds.empty());
    EXPECT_TRUE(host.calls.empty());

    ScreensRecorder screens;
    field.SetScreens(&screens);
    for (int32_t id = GameAreaWidget::ButtonChangeMode; id <= GameAreaWidget::ButtonTips; ++id)
    {
        EXPECT_FALSE(field.GetButton(id)->disabled) << id;
        ClickOn(*field.GetButton(id));
    }
    field.ShowHighScores(2, true);
    field.ShowCongratulation();
    EXPECT_EQ(screens.calls, (std::vector<std::string>{"change mode", "high scores -1 browse", "pause", "settings",
                                                         "help", "high scores 2 end", "congratulation"}));

    // Entering plays the hover sound, moving shows the hand, leaving the arrow.
    const Framework::Point at = changeModeButton->GetScreenPos();
    panelHost.sounds.clear();
    manager.MouseMove(5, 5);
    manager.MouseMove(at.x + 10, at.y + 10);
    manager.MouseMove(at.x + 12, at.y + 10);
    EXPECT_EQ(panelHost.sounds, std::vector<int32_t>{TestSupport::TestSoundBtonOn});
    ASSERT_FALSE(panelHost.cursors.empty());
    EXPECT_EQ(panelHost.cursors.back(), 1);
    manager.MouseMove(5, 5);
    EXPECT_EQ(panelHost.cursors.back(), 0);

    // Taken away again, the buttons wait once more.
    field.SetScreens(nullptr);
    EXPECT_TRUE(changeModeButton->disabled);
    screens.calls.clear();
    field.ButtonClicked(GameAreaWidget::ButtonTips);
    EXPECT_TRUE(screens.calls.empty());
}

TEST_F(BoardTest, WithoutTheMenusThereIsNoChangeModeDialog)
{
    board = std::make_shared<Board>(panelHost, nullptr);
    EXPECT_EQ(board->GetChangeModeDialog(), nullptr);
    // No dialogs made: the overlay cannot show.
    board->ShowOverlay();
    EXPECT_EQ(board->GetDialogs(), nullptr);
}

