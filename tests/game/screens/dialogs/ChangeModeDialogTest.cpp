// The change-mode dialog over a game screen: its ways back to the menu,
// closing, unpausing, and dragging with the clamp at the screen's edges;
// and the button feedback styles every screen chooses from.
#include <gtest/gtest.h>

#include "framework/widgets/ButtonWidget.h"
#include "game/screens/common/MenuTestSupport.h"
#include "src/screens/common/ButtonFeedback.h"
#include "src/screens/dialogs/ChangeModeDialog.h"
#include "src/screens/common/DialogDrag.h"

using TestSupport::Calls;
using TestSupport::EventLog;
using TestSupport::TestSoundBtonOn;
using TestSupport::WidgetProbe;

namespace
{

class ChangeModeTest : public TestSupport::MenuBench
{
protected:
    ChangeModeTest()
    {
        manager.AddWidget(&gameScreen);
        gameScreen.AddWidget(&dialog);
        manager.PushModal(&dialog);
        host.manager = &manager;
    }

    Framework::ButtonWidget& Button(int32_t id)
    {
        for (Framework::Widget* child : dialog.children)
        {
            auto* button = dynamic_cast<Framework::ButtonWidget*>(child);
            if (button != nullptr && button->id == id)
            {
                return *button;
            }
        }
        throw std::runtime_error("no such button");
    }

    // A left press at a point of the dialog, dragged to screen points,
    // released at the last.
    void DragFrom(int32_t localX, int32_t localY, std::initializer_list<Framework::Point> path)
    {
        const int32_t px = dialog.x + localX;
        const int32_t py = dialog.y + localY;
        manager.MouseMove(px, py);
        manager.MouseDown(px, py, 1);
        Framework::Point last{px, py};
        for (const Framework::Point& p : path)
        {
            manager.MouseDrag(p.x, p.y);
            last = p;
        }
        manager.MouseUp(last.x, last.y, 1);
    }

    EventLog log;
    WidgetProbe gameScreen{log, "game", 0, 0, 800, 600};
    ChangeModeDialog dialog{host};
};

} // namespace

TEST_F(ChangeModeTest, ModeButtonsEndTheGameAndReturnToTheMenuFading)
{
    EXPECT_EQ(dialog.GetRect(), Framework::Rect(201, 311, 200, 160));
    EXPECT_EQ(dialog.drawPriority, 4);
    struct Row
    {
        int32_t id;
        Calls expected;
    };
    const Row rows[] = {
        {ChangeModeDialog::ButtonArcade, {"menu 2 fade", "mode 100", "unpause", "reset stage", "release effects"}},
        {ChangeModeDialog::ButtonQuest,
         {"menu 3 fade", "mode 101", "reset chooser", "unpause", "reset stage", "release effects"}},
        {ChangeModeDialog::ButtonTimeAttack, {"menu 2 fade", "mode 102", "unpause", "reset stage", "release effects"}},
    };
    for (const Row& row : rows)
    {
        manager.RemoveAllChildren();
        manager.AddWidget(&gameScreen);
        gameScreen.AddWidget(&dialog);
        manager.PushModal(&dialog);
        host.calls.clear();
        ClickOn(Button(row.id));
        EXPECT_EQ(host.calls, row.expected) << "button " << row.id;
        EXPECT_FALSE(host.paused);
        EXPECT_FALSE(manager.HasWidget(&gameScreen)) << "the menu replaced the game screen";
    }
}

TEST_F(ChangeModeTest, TheMenuAfterAModeButtonTakesTheMouseDespiteTheLeftModalRecord)
{
    ClickOn(Button(ChangeModeDialog::ButtonArcade));
    WidgetProbe menu{log, "menu", 0, 0, 800, 600};
    manager.AddWidget(&menu);
    log.clear();
    manager.MouseMove(400, 300);
    manager.MouseDown(400, 300, 1);
    EXPECT_NE(std::find(log.begin(), log.end(), "menu:down 400,300 b0 c1"), log.end()) << testing::PrintToString(log);
}

TEST_F(ChangeModeTest, BackClosesTheDialogAndResumesTheGame)
{
    ClickOn(Button(ChangeModeDialog::ButtonBack));
    EXPECT_EQ(host.calls, (Calls{"unpause"}));
    EXPECT_FALSE(gameScreen.HasWidget(&dialog));
    EXPECT_TRUE(manager.modalStack.empty());
    EXPECT_EQ(manager.modalWidget, nullptr);
    // The game screen takes the mouse again.
    log.clear();
    manager.MouseMove(20, 20);
    manager.MouseDown(20, 20, 1);
    EXPECT_FALSE(log.empty());
}

TEST_F(ChangeModeTest, DraggingMovesTheDialogWithThePointer)
{
    DragFrom(5, 5, {{216, 326}, {100, 120}});
    EXPECT_EQ(dialog.x, 100 - 5);
    EXPECT_EQ(dialog.y, 120 - 5);
    EXPECT_FALSE(dialog.drag.IsDragging());
    EXPECT_EQ(host.cursors, (std::vector<int32_t>{2, 2, 0}));
}

TEST_F(ChangeModeTest, DraggedTowardsTheLowerRightItStopsWithItsCornerOnTheEdge)
{
    DragFrom(10, 10, {{900, 700}});
    EXPECT_EQ(dialog.x, 800 - 200);
    EXPECT_EQ(dialog.y, 600 - 160);
    // The grab point follows the clamp, so the way back starts at once.
    EXPECT_EQ(dialog.drag.GrabX(), 900 - 600);
    DragFrom(10, 10, {{-50, -60}});
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
}

TEST_F(ChangeModeTest, OnlyASingleLeftPressOutsideTheButtonsDrags)
{
    const int32_t startX = dialog.x;
    manager.MouseMove(dialog.x + 5, dialog.y + 5);
    manager.MouseDown(dialog.x + 5, dialog.y + 5, -1);
    manager.MouseDrag(50, 50);
    manager.MouseUp(50, 50, -1);
    EXPECT_EQ(dialog.x, startX) << "right button";

    const Framework::Point button = Button(ChangeModeDialog::ButtonArcade).GetScreenPos();
    manager.MouseMove(button.x + 2, button.y + 2);
    manager.MouseDown(button.x + 2, button.y + 2, 1);
    manager.MouseDrag(50, 50);
    manager.MouseUp(50, 50, 1);
    EXPECT_EQ(dialog.x, startX) << "a press on a button";
    EXPECT_TRUE(host.calls.empty()) << "released off the button";
}

TEST(DialogDrag, ADialogLargerThanTheScreenIsPinnedToTheCorner)
{
    TestSupport::RecordingMenuHost host;
    Framework::Widget big;
    big.Resize(10, 10, 900, 700);
    DialogDrag drag;
    drag.Press(5, 5, 1);
    drag.Drag(big, 40, 40, host);
    EXPECT_EQ(big.x, 0);
    EXPECT_EQ(big.y, 0);
    drag.Release(host);
    drag.Drag(big, 100, 100, host);
    EXPECT_EQ(big.x, 0) << "no drag after the release";
}

TEST(ButtonFeedback, EachStyleAnswersEnterMoveAndLeave)
{
    struct Row
    {
        ButtonFeedback::Style style;
        std::vector<int32_t> sounds;
        std::vector<int32_t> cursors;
    };
    SOUND_BTON_ON = TestSoundBtonOn;
    const Row rows[] = {
        {ButtonFeedback::Style::SoundThenHand, {TestSoundBtonOn}, {1, 0}},
        {ButtonFeedback::Style::HandAndSoundOnEnter, {TestSoundBtonOn}, {1, 0}},
        {ButtonFeedback::Style::HandOnly, {}, {1, 0}},
        {ButtonFeedback::Style::Silent, {}, {}},
    };
    for (const Row& row : rows)
    {
        TestSupport::RecordingMenuHost host;
        ButtonFeedback feedback(host, row.style);
        feedback.Enter();
        const size_t cursorsAfterEnter = host.cursors.size();
        feedback.Move();
        feedback.Leave();
        EXPECT_EQ(host.sounds, row.sounds) << int(row.style);
        EXPECT_EQ(host.cursors, row.cursors) << int(row.style);
        // Only the alert dialogs show the hand before any move.
        EXPECT_EQ(cursorsAfterEnter, row.style == ButtonFeedback::Style::HandAndSoundOnEnter ? 1U : 0U);
    }
    ResetResourceVariables();
}
