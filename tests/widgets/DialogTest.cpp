#include <gtest/gtest.h>

#include <algorithm>

#include "framework/widgets/Dialog.h"
#include "support/FixedWidthFont.h"
#include "widgets/ControlsTestSupport.h"

using namespace Framework;
using TestSupport::ControlScreen;
using TestSupport::FixedWidthFont;
using TestSupport::RecordingListener;

namespace
{

struct DialogFixture : ::testing::Test
{
    DialogFixture() : dialog(nullptr, nullptr, 42, true, "Header", "Some lines", "", Dialog::BUTTONS_YES_NO, &listener)
    {
        FixedWidthFont font(6);
        dialog.SetButtonFont(&font);
        dialog.SetHeaderFont(&font);
        dialog.SetLinesFont(&font);
        dialog.Resize(200, 150, 300, 200);
    }

    void Show()
    {
        screen.manager.AddWidget(&dialog);
        screen.manager.PushModal(&dialog);
    }

    void ClickButton(Widget& button) { screen.Click(button.x + 5, button.y + 5); }

    ControlScreen screen;
    RecordingListener listener;
    Dialog dialog;
};

} // namespace

TEST_F(DialogFixture, ButtonsJoinTheManagerInFrontOfTheDialogAndLeaveWithIt)
{
    Show();
    ASSERT_NE(dialog.secondButton, nullptr);
    const std::vector<Widget*> order(screen.manager.children.begin(), screen.manager.children.end());
    EXPECT_EQ(order, (std::vector<Widget*>{&dialog, dialog.firstButton.get(), dialog.secondButton.get()}));
    EXPECT_EQ(dialog.firstButton->label, "YES");
    EXPECT_EQ(dialog.secondButton->label, "NO");
    // Row at the bottom inside the 24-pixel margins, in screen coordinates.
    EXPECT_EQ(dialog.firstButton->x, 224);
    EXPECT_EQ(dialog.firstButton->y + dialog.firstButton->height, 150 + 200 - 24);
    EXPECT_EQ(dialog.secondButton->x + dialog.secondButton->width, 200 + 300 - 24);

    screen.manager.RemoveWidget(&dialog);
    EXPECT_TRUE(screen.manager.children.empty());
}

TEST_F(DialogFixture, ButtonsReportToTheListenerAndSetTheResult)
{
    Show();
    ClickButton(*dialog.secondButton);
    EXPECT_EQ(listener.log, (std::vector<std::string>{"dialog pressed 42 1001", "dialog clicked 42 1001"}));
    EXPECT_EQ(dialog.result, Dialog::ID_NO);
    ClickButton(*dialog.firstButton);
    EXPECT_EQ(dialog.result, Dialog::ID_YES);
}

TEST_F(DialogFixture, WidgetsBelowTheModalDialogGetNoClicks)
{
    ButtonWidget below(1, &listener);
    below.Resize(0, 0, 100, 100);
    screen.manager.AddWidget(&below);
    Show();
    screen.Click(50, 50);
    EXPECT_EQ(listener.Count("clicked 1"), 0);
    ClickButton(*dialog.firstButton);
    EXPECT_EQ(dialog.result, Dialog::ID_YES);
}

TEST_F(DialogFixture, ReorderingBringsTheButtonsBackInFront)
{
    Show();
    ButtonWidget other(1, &listener);
    screen.manager.AddWidget(&other);
    screen.manager.PlaceAbove(&dialog, &other);
    EXPECT_EQ(screen.manager.children.back(), dialog.secondButton.get());
    EXPECT_EQ(*std::next(screen.manager.children.rbegin()), dialog.firstButton.get());
}

TEST_F(DialogFixture, RunUntilAnsweredStepsTheLoopUntilAButtonIsClicked)
{
    Show();
    screen.host.onLoopStep = [this]
    {
        if (screen.host.loopSteps == 3)
        {
            ClickButton(*dialog.firstButton);
        }
        return true;
    };
    EXPECT_EQ(dialog.RunUntilAnswered(true), Dialog::ID_YES);
    EXPECT_EQ(screen.host.loopSteps, 3);
    EXPECT_TRUE(screen.manager.children.empty()) << "removed with its buttons";
    EXPECT_EQ(screen.manager.modalWidget, nullptr);
}

TEST_F(DialogFixture, RunUntilAnsweredGivesUpWhenTheLoopEndsOrTheDialogLeaves)
{
    Show();
    screen.host.onLoopStep = [] { return false; };
    EXPECT_EQ(dialog.RunUntilAnswered(false), Dialog::NoResult);
    EXPECT_TRUE(screen.manager.HasWidget(&dialog));

    screen.host.onLoopStep = [this]
    {
        screen.manager.RemoveWidget(&dialog);
        return true;
    };
    EXPECT_EQ(dialog.RunUntilAnswered(false), Dialog::NoResult);
    EXPECT_EQ(screen.host.loopSteps, 2);
}

TEST_F(DialogFixture, DraggingMovesTheDialogAndItsButtonsWithinTheScreen)
{
    Show();
    const int32_t buttonOffset = dialog.firstButton->x - dialog.x;
    screen.manager.MouseMove(210, 160);
    screen.manager.MouseDown(210, 160, 1);
    screen.manager.MouseMove(260, 180);
    EXPECT_EQ(dialog.x, 250);
    EXPECT_EQ(dialog.y, 170);
    EXPECT_EQ(dialog.firstButton->x - dialog.x, buttonOffset);
    screen.manager.MouseMove(2000, 2000);
    EXPECT_EQ(dialog.x, 500);
    EXPECT_EQ(dialog.y, 400);
    EXPECT_EQ(screen.host.cursors.back(), 2);
    screen.manager.MouseUp(2000, 2000, 1);
    EXPECT_EQ(screen.host.cursors.back(), 0);
    EXPECT_FALSE(dialog.dragging);
}

TEST(Dialog, LabelsComeFromTheStringTableAndTheFooter)
{
    RecordingListener listener;
    const Dialog::StringTable strings{{"DIALOG_BUTTON_OK", "Fine"}};
    Dialog okCancel(nullptr, nullptr, 1, false, "", "", "", Dialog::BUTTONS_OK_CANCEL, &listener, &strings);
    EXPECT_EQ(okCancel.firstButton->label, "Fine");
    EXPECT_EQ(okCancel.secondButton->label, "CANCEL");

    Dialog footer(nullptr, nullptr, 2, false, "", "", "Continue", Dialog::BUTTONS_FOOTER, &listener);
    EXPECT_EQ(footer.firstButton->label, "Continue");
    EXPECT_EQ(footer.firstButton->id, Dialog::ID_FOOTER);
    EXPECT_EQ(footer.secondButton, nullptr);

    Dialog none(nullptr, nullptr, 3, false, "", "", "", 7, &listener);
    EXPECT_EQ(none.firstButton, nullptr);
}

TEST(Dialog, DestroyedWhileShownTakesItsButtonsAlong)
{
    ControlScreen screen;
    RecordingListener listener;
    {
        Dialog dialog(nullptr, nullptr, 1, false, "", "", "", Dialog::BUTTONS_OK_CANCEL, &listener);
        dialog.Resize(0, 0, 200, 100);
        screen.manager.AddWidget(&dialog);
        EXPECT_EQ(screen.manager.children.size(), 3u);
    }
    EXPECT_TRUE(screen.manager.children.empty());
}

TEST_F(DialogFixture, PreferredHeightAddsTheSections)
{
    // 24 + header 10 + 10 + one line 10 + 10 + buttons 24 + 24.
    EXPECT_EQ(dialog.GetPreferredHeight(300), 112);
    std::string twoLines;
    for (int i = 0; i < 13; ++i)
    {
        twoLines += "www ";
    }
    dialog.lines = twoLines; // 52 characters, 42 fit on a line
    EXPECT_EQ(dialog.GetPreferredHeight(300), 122);
}

TEST_F(DialogFixture, DrawsAPlainFrameWithShadowAndCentredHeader)
{
    screen.DrawWidget(dialog);
    EXPECT_EQ(screen.Pixel(200, 150), 0xFFFFFFFFu) << "outline";
    EXPECT_EQ(screen.Pixel(210, 200), 0xFF303858u) << "background";
    EXPECT_EQ(Color::FromInt(screen.Pixel(499, 349)).alpha, 128) << "shadow";
    // "Header" is 36 wide, centred: x 132 of 300.
    EXPECT_EQ(screen.Pixel(200 + 132, 150 + 24 + 1), 0xFFFFFFFFu);
    EXPECT_EQ(screen.Pixel(200 + 131, 150 + 24 + 1), 0xFF303858u);
}
