// The game screen's title bar and pause overlay, the help, continue and
// congratulation dialogs, who keeps the game paused when screens stack, and
// the game screen's set of them (GameDialogs), driven through the widget
// manager over a recording play field.
#include <gtest/gtest.h>

#include "game/screens/common/MenuTestSupport.h"
#include "game/screens/dialogs/GameDialogTestSupport.h"
#include "src/screens/dialogs/ChangeModeDialog.h"
#include "src/screens/dialogs/ConfigDialog.h"
#include "src/screens/dialogs/CongratulationDialog.h"
#include "src/screens/dialogs/ContinueDialog.h"
#include "src/screens/dialogs/ExitDialog.h"
#include "src/screens/dialogs/HelpDialog.h"
#include "src/screens/dialogs/HighScoreDialog.h"
#include "src/screens/game/GameDialogs.h"
#include "src/screens/game/OverlayWidget.h"
#include "src/screens/game/TitleBarWidget.h"

using DialogTest::Calls;
using DialogTest::Solid;

namespace
{

class GameDialogsTest : public DialogTest::DialogBench
{
protected:
    PlayState& State() { return host->play.state; }
};

} // namespace

TEST_F(GameDialogsTest, TitleBarLabelsTheModeAndIsDrawnAgainWhenTheStageChanges)
{
    EXPECT_EQ(TitleBarWidget::ModeLabel(Game::ModeArcade, Game::Hard, 0), "Arcade mode-hard");
    EXPECT_EQ(TitleBarWidget::ModeLabel(Game::ModeQuest, Game::Expert, 30002), "Quest mode-Stage 3");
    EXPECT_EQ(TitleBarWidget::ModeLabel(Game::ModeTime, Game::Easy, 10015), "Time mode-easy");
    EXPECT_EQ(TitleBarWidget::ModeLabel(Game::ModeArcade, 9, 0), "Arcade mode-easy");

    Framework::MemoryImage band;
    Solid(band, 800, 25, 0xFF203040);
    host->app.title = "Frothwick";
    State().mode = Game::ModeQuest;
    State().stageId = 30002;
    TitleBarWidget bar(*host, &band);
    EXPECT_EQ(bar.GetRect(), Framework::Rect(0, 0, 800, 25));
    board.AddWidget(&bar);
    widgets->RunDrawPass();
    ASSERT_GE(font.calls.size(), 2u);
    EXPECT_EQ(font.calls[font.calls.size() - 2].text, "Frothwick");
    EXPECT_EQ(font.calls.back().text, "Quest mode-Stage 3");
    EXPECT_EQ(font.calls.back().x, 145);
    EXPECT_EQ(font.calls.back().y, 17);
    EXPECT_EQ(screen.GetPixel(5, 5), 0xFF203040u);

    bar.Update();
    EXPECT_FALSE(bar.dirty) << "an unchanged label draws nothing";
    State().stageId = 30003;
    bar.Update();
    EXPECT_TRUE(bar.dirty);
    widgets->RunDrawPass();
    EXPECT_EQ(font.calls.back().text, "Quest mode-Stage 4");
    board.RemoveWidget(&bar);
}

TEST_F(GameDialogsTest, TitleBarButtonsSwitchTheWindowAndAskForTheExitDialog)
{
    host->app.windowed = false;
    host->app.preferredX = -40;
    host->app.preferredY = 30;
    host->app.SetWindowDragBand(26, 720, 797);
    host->app.CreateMainWindow();
    widgets->screenImage = &screen;
    TitleBarWidget bar(*host, nullptr);
    board.AddWidget(&bar);
    const size_t windows = host->app.fake->created.size();

    ClickOn(bar.maximizeButton);
    EXPECT_TRUE(host->app.windowed);
    EXPECT_FALSE(host->app.fake->fullScreen);
    EXPECT_GE(host->app.preferredX, 0) << "moved into the screen";
    EXPECT_EQ(host->app.fake->dragBands.back(), 26) << "the new window can still be dragged";
    ClickOn(bar.maximizeButton);
    EXPECT_FALSE(host->app.windowed);
    EXPECT_EQ(host->app.fake->created.size(), windows + 2);

    ClickOn(bar.exitButton);
    EXPECT_EQ(host->calls, Calls{"exit dialog"});
    board.RemoveWidget(&bar);
}

TEST_F(GameDialogsTest, OverlayTakesEveryPressOverTheFieldUntilResume)
{
    OverlayWidget overlay(*host);
    int32_t resumed = 0;
    overlay.onResume = [&] { ++resumed; };
    overlay.Show(&board);
    EXPECT_EQ(overlay.GetRect(), Framework::Rect(0, 25, 800, 575));
    EXPECT_TRUE(State().paused);

    Click(300, 300);
    Click(20, 590);
    EXPECT_EQ(fieldWidget.presses, 0) << "the field under the overlay fires nothing";
    EXPECT_EQ(board.presses, 0);

    ClickOn(overlay.resumeButton.get());
    EXPECT_FALSE(overlay.IsShown());
    EXPECT_FALSE(State().paused);
    EXPECT_EQ(resumed, 1);
    Click(300, 300);
    EXPECT_EQ(fieldWidget.presses, 1);
}

TEST_F(GameDialogsTest, HelpPagesWrapBothWaysAndThePageIsKeptBetweenOpenings)
{
    Framework::MemoryImage pages[HelpDialog::PageCount];
    Framework::Image** variables[] = {&IMAGE_COMMON1, &IMAGE_COMMON2, &IMAGE_AIR1,   &IMAGE_AIR2,   &IMAGE_FIRE1,
                                      &IMAGE_FIRE2,   &IMAGE_WATER1,  &IMAGE_WATER2, &IMAGE_EARTH1, &IMAGE_EARTH2};
    for (int32_t i = 0; i < HelpDialog::PageCount; ++i)
    {
        Solid(pages[i], 8, 8, 0xFF000000u | uint32_t(i + 1));
        *variables[i] = &pages[i];
    }
    HelpDialog help(*host);
    help.Open(&fieldWidget);
    EXPECT_EQ(help.GetRect(), Framework::Rect(0, 0, 535, 555));
    EXPECT_TRUE(widgets->modalStack.empty()) << "not modal";
    help.Open(&fieldWidget);
    EXPECT_EQ(host->calls, Calls{"pause"}) << "TIPS while the help shows does nothing";

    ClickOn(help.previousButton.get());
    EXPECT_EQ(help.page, 9);
    widgets->RunDrawPass();
    EXPECT_EQ(screen.GetPixel(15 + 1, 37 + 1), 0xFF00000Au) << "IMAGE_EARTH2";
    ClickOn(help.nextButton.get());
    EXPECT_EQ(help.page, 0);
    for (int32_t i = 0; i < 4; ++i)
    {
        ClickOn(help.nextButton.get());
    }
    EXPECT_EQ(help.page, 4);

    ClickOn(help.closeButton.get());
    EXPECT_FALSE(help.IsOpen());
    EXPECT_FALSE(State().paused);
    help.Open(&fieldWidget);
    EXPECT_EQ(help.page, 4);
    widgets->RunDrawPass();
    EXPECT_EQ(screen.GetPixel(15 + 1, 37 + 1), 0xFF000005u) << "IMAGE_FIRE1";
    help.Close();
}

TEST_F(GameDialogsTest, ContinuePicturePulsesOncePerOpeningWhileNothingUpdates)
{
    Framework::MemoryImage picture;
    Solid(picture, 164, 110, 0xFF336699);
    IMAGE_CONTINUE = &picture;
    ContinueDialog dialog(*host, field);
    EXPECT_EQ(dialog.GetRect(), Framework::Rect(197, 280, 132, 50));
    EXPECT_EQ(dialog.drawPriority, 4);

    for (int32_t opening = 0; opening < 2; ++opening)
    {
        widgets->RemoveAllChildren();
        widgets->AddWidget(&board);
        host->holds.Begin();
        dialog.Open(&fieldWidget);
        std::vector<float> scales;
        // Draw passes alone, no update: the pulse asks for its own drawings.
        for (int32_t pass = 0; pass < 40; ++pass)
        {
            widgets->RunDrawPass();
            scales.push_back(dialog.pulseScale);
        }
        const auto peak = std::find_if(scales.begin(), scales.end(), [](float s) { return s >= 1.2f; });
        ASSERT_NE(peak, scales.end());
        EXPECT_EQ(peak - scales.begin(), 10) << "the 11th drawing first reaches 1.2";
        EXPECT_FLOAT_EQ(*peak, 1.22f);
        EXPECT_EQ(*std::max_element(scales.begin(), scales.end()), *peak);
        for (auto it = peak + 1; it != scales.end(); ++it)
        {
            EXPECT_LE(*it, *(it - 1));
        }
        EXPECT_EQ(scales.back(), 1.0f);
        EXPECT_EQ(scales[scales.size() - 10], 1.0f) << "settled, and still";
        EXPECT_FALSE(board.dirty) << "a settled pulse asks for no more drawing";
        // At rest the picture covers the dialog around its centre (82, 55).
        EXPECT_EQ(screen.GetPixel(15 + 197 + 1, 37 + 280 + 1), 0xFF336699u);
        EXPECT_EQ(screen.GetPixel(15 + 197 + 163, 37 + 280 + 109), 0xFF336699u);
        Click(15 + 197 + 69 + 5, 37 + 280 + 32 + 5); // NO
    }
}

TEST_F(GameDialogsTest, ContinueYesAndNoRunTheirSequencesInOrder)
{
    ContinueDialog dialog(*host, field);
    struct Row
    {
        int32_t mode;
        int32_t id;
        Calls expected;
    };
    const Row rows[] = {
        {Game::ModeQuest,
         ContinueDialog::YesId,
         {"clear grid", "stage 30004", "load stage 30004", "goal 1", "reset stage", "sunk drops cleared",
          "prepare shots", "fade in", "music -1", "trace", "reset stage", "sunk drops cleared", "unpause"}},
        {Game::ModeArcade,
         ContinueDialog::YesId,
         {"clear grid", "generate 1", "push-down 0", "reset stage", "sunk drops cleared", "prepare shots", "fade in",
          "music -1", "trace", "reset stage", "sunk drops cleared", "unpause"}},
        {Game::ModeQuest,
         ContinueDialog::NoId,
         {"unpause", "menu 1 fade", "reset stage", "sunk drops cleared", "set unpaused"}},
        {Game::ModeTime,
         ContinueDialog::NoId,
         {"unpause", "menu 1 fade", "reset stage", "sunk drops cleared", "set unpaused"}},
    };
    for (const Row& row : rows)
    {
        widgets->RemoveAllChildren();
        widgets->AddWidget(&board);
        host->holds.Begin();
        State().mode = row.mode;
        State().world = Game::WorldWater;
        State().stageId = 30004;
        dialog.Open(&fieldWidget);
        EXPECT_EQ(widgets->modalWidget, &dialog);
        host->calls.clear();
        ClickOn(row.id == ContinueDialog::YesId ? dialog.yesButton : dialog.noButton);
        EXPECT_EQ(host->calls, row.expected) << row.mode << " " << row.id;
        EXPECT_FALSE(State().paused);
        EXPECT_EQ(dialog.parent, nullptr);
        EXPECT_TRUE(dialog.pulseGrowing);
        EXPECT_TRUE(widgets->modalStack.empty());
    }
}

TEST_F(GameDialogsTest, CongratulationShowsAllClearOnlyWithEveryWorldAtStageFifteen)
{
    Framework::MemoryImage allClear, clearOne, words[4];
    Solid(allClear, 8, 8, 0xFF0000AA);
    Solid(clearOne, 8, 8, 0xFF0000BB);
    IMAGE_ALLCLEAR = &allClear;
    IMAGE_CLEARONE = &clearOne;
    Framework::Image** wordVariables[] = {&IMAGE_WORD_WATER, &IMAGE_WORD_FIRE, &IMAGE_WORD_EARTH, &IMAGE_WORD_AIR};
    for (int32_t i = 0; i < 4; ++i)
    {
        Solid(words[i], 4, 4, 0xFF00C000u | uint32_t(i + 1));
        *wordVariables[i] = &words[i];
    }
    PlayerRecord player;
    player.SetName("Ann");
    player.progressWater = player.progressFire = player.progressEarth = 15;
    player.progressAir = 14;
    host->profiles.SetCurrentPlayer(player);
    State().world = Game::WorldEarth;
    CongratulationDialog dialog(*host);
    EXPECT_EQ(dialog.GetRect(), Framework::Rect(-20, 70, 600, 331));

    Framework::MemoryImage canvas;
    canvas.Allocate(600, 331);
    Framework::Graphics g(&canvas);
    dialog.Draw(&g);
    EXPECT_EQ(canvas.GetPixel(1, 1), 0xFF0000BBu) << "three worlds at 15: one world cleared";
    EXPECT_EQ(canvas.GetPixel(419, 167), 0xFF00C003u) << "the earth word at (418, 166)";

    host->profiles.currentPlayer.progressAir = 15;
    canvas.ClearAll();
    dialog.Draw(&g);
    EXPECT_EQ(canvas.GetPixel(1, 1), 0xFF0000AAu);
    EXPECT_EQ(canvas.GetPixel(419, 167), 0u) << "no word over the all-clear picture";

    dialog.Open(&fieldWidget);
    EXPECT_EQ(widgets->modalWidget, &dialog);
    host->calls.clear();
    ClickOn(dialog.backButton);
    EXPECT_EQ(host->calls, (Calls{"reset stage", "unpause", "menu 1 fade", "set unpaused"}));
    EXPECT_FALSE(widgets->HasWidget(&board));
}

TEST_F(GameDialogsTest, TheGameRunsAgainOnlyWhenTheLastPausingScreenCloses)
{
    Framework::MemoryImage scoresPicture;
    scoresPicture.Allocate(700, 555);
    IMAGE_HIGHSCORE = &scoresPicture;
    ExitDialog exitDialog(*host);
    OverlayWidget overlay(*host);
    overlay.Show(&board);

    // Exit NO over the overlay (the title bar stays live above it).
    exitDialog.Show();
    ClickOn(exitDialog.noButton);
    EXPECT_TRUE(State().paused);
    ClickOn(overlay.resumeButton.get());
    EXPECT_FALSE(State().paused);

    // The exit dialog opened in a game pauses it; NO lets it run.
    exitDialog.Show();
    EXPECT_TRUE(State().paused);
    ClickOn(exitDialog.noButton);
    EXPECT_FALSE(State().paused);

    // Exit NO over the modal high-score dialog.
    HighScoreDialog scores(*host, field);
    scores.Open(&fieldWidget, HighScoreDialog::Viewing, -1);
    exitDialog.Show();
    ClickOn(exitDialog.noButton);
    EXPECT_TRUE(State().paused);
    ClickOn(scores.backButton);
    EXPECT_FALSE(State().paused);

    // Exit NO over the modal change-mode dialog; its BACK lets the game run.
    Framework::MemoryImage changeModePicture;
    changeModePicture.Allocate(200, 160);
    IMAGE_CHANGEMODE = &changeModePicture;
    TestSupport::RecordingMenuHost menus;
    ChangeModeDialog changeMode(menus);
    changeMode.pauses = &host->holds;
    changeMode.Open(&fieldWidget);
    EXPECT_EQ(changeMode.GetRect(), Framework::Rect(201, 311, 200, 160));
    EXPECT_EQ(widgets->modalWidget, &changeMode);
    exitDialog.Show();
    ClickOn(exitDialog.noButton);
    EXPECT_TRUE(State().paused);
    ClickOn(changeMode.children.back());
    EXPECT_FALSE(State().paused);
    EXPECT_TRUE(menus.calls.empty()) << "BACK only lets go of the game";

    // Settings OK with the help open.
    HelpDialog help(*host);
    ConfigDialog settings(*host);
    help.Open(&fieldWidget);
    settings.ShowSettings(&fieldWidget);
    ClickOn(settings.okButton.get());
    EXPECT_FALSE(settings.IsOpen());
    EXPECT_TRUE(State().paused);
    ClickOn(help.closeButton.get());
    EXPECT_FALSE(State().paused);

    // YES lets the game run under the quit fade whatever holds it.
    overlay.Show(&board);
    help.Open(&fieldWidget);
    exitDialog.Show();
    ClickOn(exitDialog.yesButton);
    EXPECT_FALSE(State().paused);
    EXPECT_EQ(host->calls.back(), "unpause");
    EXPECT_NE(std::find(host->calls.begin(), host->calls.end(), "quit"), host->calls.end());
}

TEST(PauseHolds, HoldingCountsOnlyInAGame)
{
    std::vector<bool> applied;
    PauseHolds holds([&](bool on) { applied.push_back(on); });
    int a = 0, b = 0;
    holds.Hold(&a);
    EXPECT_TRUE(applied.empty()) << "the menus are never paused";
    holds.Begin();
    holds.Hold(&a);
    holds.Hold(&b);
    holds.Release(&b);
    holds.Release(&b);
    EXPECT_TRUE(holds.IsHeld());
    holds.Release(&a);
    EXPECT_FALSE(holds.IsHeld());
    EXPECT_EQ(applied, (std::vector<bool>{false, true, true, false}));
    holds.Hold(&a);
    holds.End();
    EXPECT_FALSE(holds.IsHeld());
    EXPECT_EQ(applied.back(), false);
}

TEST_F(GameDialogsTest, TheGameScreensDialogsOpenAtTheirPlacesThroughInGameScreens)
{
    Framework::MemoryImage scoresPicture;
    scoresPicture.Allocate(700, 555);
    IMAGE_HIGHSCORE = &scoresPicture;
    std::vector<bool> pauseButton;
    GameDialogs dialogs(*host, board, fieldWidget, field);
    dialogs.showPauseButton = [&](bool shown) { pauseButton.push_back(shown); };
    InGameScreens& screens = dialogs;
    EXPECT_EQ(board.children.back(), dialogs.titleBar.get()) << "the title bar over the field";

    screens.ShowHelp();
    screens.ShowHelp();
    EXPECT_EQ(dialogs.helpDialog->parent, &fieldWidget);
    EXPECT_EQ(host->calls, Calls{"pause"});
    screens.ShowHighScores(-1, false);
    EXPECT_EQ(dialogs.highScoreDialog->parent, &fieldWidget);
    EXPECT_TRUE(dialogs.highScoreDialog->HasWidget(dialogs.highScoreDialog->backButton));
    ClickOn(dialogs.highScoreDialog->backButton);
    EXPECT_TRUE(State().paused) << "the help still holds the game";
    ClickOn(dialogs.helpDialog->closeButton.get());
    EXPECT_FALSE(State().paused);

    screens.ShowSettings();
    EXPECT_EQ(dialogs.configDialog->parent, &fieldWidget);
    EXPECT_EQ(widgets->modalWidget, dialogs.configDialog.get());
    ClickOn(dialogs.configDialog->backButton.get());

    screens.ShowPause();
    EXPECT_EQ(dialogs.overlay->parent, &board);
    ClickOn(dialogs.overlay->resumeButton.get());
    EXPECT_EQ(pauseButton, (std::vector<bool>{false, true}));
    EXPECT_FALSE(State().paused);

    Framework::MemoryImage changeModePicture;
    changeModePicture.Allocate(200, 160);
    IMAGE_CHANGEMODE = &changeModePicture;
    TestSupport::RecordingMenuHost menus;
    ChangeModeDialog changeMode(menus);
    screens.ShowChangeMode();
    EXPECT_EQ(changeMode.parent, nullptr) << "none handed in";
    dialogs.changeMode = &changeMode;
    screens.ShowChangeMode();
    EXPECT_EQ(changeMode.parent, &fieldWidget);
    EXPECT_TRUE(State().paused);
    ClickOn(changeMode.children.back());
    EXPECT_FALSE(State().paused);

    State().lastStageWon = false;
    screens.ShowHighScores(3, true);
    EXPECT_EQ(dialogs.highScoreDialog->newRecord, 3);
    EXPECT_TRUE(dialogs.highScoreDialog->HasWidget(dialogs.highScoreDialog->tryAgainButton));
    ClickOn(dialogs.highScoreDialog->tryAgainButton);
    screens.ShowCongratulation();
    EXPECT_EQ(dialogs.congratulationDialog->parent, &fieldWidget);
    EXPECT_EQ(widgets->modalWidget, dialogs.congratulationDialog.get());
}
