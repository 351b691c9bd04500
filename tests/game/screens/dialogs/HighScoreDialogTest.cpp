// The high-score dialog: its button variants, tab presses, what it draws
// for filled and empty places (pixels on a memory screen), and the
// sequences of its buttons through a recording play field.
#include <gtest/gtest.h>

#include "framework/graphics/DDImage.h"
#include "game/screens/dialogs/GameDialogTestSupport.h"
#include "src/screens/dialogs/HighScoreDialog.h"
#include "support/ImageFileWriters.h"

using DialogTest::Calls;
using DialogTest::Solid;

namespace
{

constexpr uint32_t Background = 0xFF101828;
constexpr uint32_t Frame = 0xFFF0C040;
constexpr uint32_t Mark = 0xFFE02020;
constexpr uint32_t Avatar = 0xFF20A0E0;
constexpr uint32_t Digit(int32_t d)
{
    return 0xFF000000u | uint32_t(d * 20 + 1) << 16;
}

class HighScoreTest : public DialogTest::DialogBench
{
protected:
    HighScoreTest()
    {
        Solid(picture, 700, 555, Background);
        IMAGE_HIGHSCORE = &picture;
        Solid(frame, 4, 4, Frame);
        IMAGE_AVATAR_FRAME = &frame;
        Solid(mark, 40, 26, Mark);
        IMAGE_HIGHSCORE_NEWRECORD = &mark;
        std::vector<uint32_t> strip(100 * 10);
        for (int32_t i = 0; i < 100 * 10; ++i)
        {
            strip[size_t(i)] = Digit(i % 100 / 10);
        }
        digits.SetPixels(strip.data(), 100, 10, true);
        IMAGE_NUMBER_SCORE = &digits;
        const std::vector<uint32_t> avatar(16, Avatar);
        std::filesystem::create_directories(dir / "images" / "avatar");
        TestSupport::WriteFile((dir / "images" / "avatar" / "a.png").string(), TestSupport::EncodePng(4, 4, avatar));
        dialog = std::make_unique<HighScoreDialog>(*host, field);
    }

    PlayState& State() { return host->play.state; }
    HighScoreTable& Table(int index) { return host->tables.tables[size_t(index)]; }
    // A press at a point of the dialog through the widget manager.
    void PressAt(int32_t localX, int32_t localY)
    {
        const Framework::Point at = dialog->GetScreenPos();
        Click(at.x + localX, at.y + localY);
    }
    bool Shows(Framework::ButtonWidget* button) { return dialog->HasWidget(button); }

    Framework::MemoryImage picture, frame, mark, digits;
    std::unique_ptr<HighScoreDialog> dialog;
};

} // namespace

TEST_F(HighScoreTest, ButtonVariantsFollowTheEndOfTheGame)
{
    EXPECT_EQ(dialog->GetRect(), Framework::Rect(45, 0, 700, 555));
    EXPECT_EQ(dialog->drawPriority, 4);
    struct Row
    {
        const char* what;
        int32_t variant;
        int32_t mode;
        bool won;
        bool back, tryAgain, continues, mainMenu;
    };
    const Row rows[] = {
        {"lost arcade", 1, Game::ModeArcade, false, false, true, false, true},
        {"won arcade", 1, Game::ModeArcade, true, false, false, true, true},
        {"lost quest", 1, Game::ModeQuest, false, false, false, true, true},
        {"lost time", 1, Game::ModeTime, false, false, true, false, true},
        {"viewing", 0, Game::ModeQuest, true, true, false, false, false},
    };
    for (const Row& row : rows)
    {
        State().mode = row.mode;
        State().lastStageWon = row.won;
        dialog->SetButtons(row.variant);
        EXPECT_EQ(Shows(dialog->backButton), row.back) << row.what;
        EXPECT_EQ(Shows(dialog->tryAgainButton), row.tryAgain) << row.what;
        EXPECT_EQ(Shows(dialog->continueButton), row.continues) << row.what;
        EXPECT_EQ(Shows(dialog->backToMainMenuButton), row.mainMenu) << row.what;
    }
}

TEST_F(HighScoreTest, OnlyPressesStrictlyInsideATabChooseItsTable)
{
    Table(8)[0] = HighScoreEntry::Make(900, "Air", "", 1);    // quest air
    Table(10)[0] = HighScoreEntry::Make(500, "Water", "", 2); // quest water
    State().mode = Game::ModeQuest;
    State().world = Game::WorldWater;
    dialog->Open(&fieldWidget, HighScoreDialog::GameEnd, 0);
    EXPECT_EQ(dialog->tab, 2) << "quest world 1 (water) opens tab 2";
    EXPECT_EQ(dialog->entries[0].GetName(), "Water");

    const int32_t misses[][2] = {{127, 70}, {152, 70}, {140, 58}, {140, 83}, {200, 70}};
    for (const auto& p : misses)
    {
        PressAt(p[0], p[1]);
        EXPECT_EQ(dialog->tab, 2) << p[0] << "," << p[1];
        EXPECT_EQ(dialog->newRecord, 0);
    }
    PressAt(128, 59);
    EXPECT_EQ(dialog->tab, 0);
    EXPECT_EQ(dialog->newRecord, -1) << "a tab clears the mark";
    EXPECT_EQ(dialog->entries[0].GetName(), "Air");
    dialog->tab = 2;
    PressAt(151, 82);
    EXPECT_EQ(dialog->tab, 0);
    PressAt(236, 70);
    EXPECT_EQ(dialog->tab, 1);
    EXPECT_EQ(dialog->entries[0].score, 0) << "fire's table is empty";
}

TEST_F(HighScoreTest, FilledPlacesDrawTheirPartsAndEmptyOnesNothing)
{
    HighScoreTable table{};
    table[0] = HighScoreEntry::Make(305, "Ann", "images\\avatar\\a.png", 3);
    table[1] = HighScoreEntry::Make(200, "Ann", "images\\avatar\\a.png", 2);
    table[5] = HighScoreEntry::Make(90, "Bo", "images\\avatar\\missing.png", 0);
    table[6] = HighScoreEntry::Make(0, "Zero", "images\\avatar\\a.png", 0);
    State().mode = Game::ModeQuest;
    dialog->SetData(table, Game::ModeQuest, 7);
    ASSERT_NE(dialog->entryImages[0], nullptr);
    EXPECT_EQ(dialog->entryImages[0], dialog->entryImages[1]) << "one picture per avatar path";
    EXPECT_EQ(dialog->entryImages[5], nullptr);

    Framework::MemoryImage canvas;
    canvas.Allocate(700, 555);
    Framework::Graphics g(&canvas);
    dialog->Draw(&g);
    for (int32_t place = 0; place < 10; ++place)
    {
        const int32_t x0 = place < 5 ? 145 : 475;
        const int32_t y0 = 140 + 88 * (place % 5);
        const bool filled = place == 0 || place == 1 || place == 5;
        EXPECT_EQ(canvas.GetPixel(x0 - 85, y0 - 50), filled ? Frame : Background) << "frame of place " << place;
        EXPECT_EQ(canvas.GetPixel(x0 + 1, y0 - 31), filled ? 0xFFFFFFFFu : Background) << "name of " << place;
        EXPECT_EQ(canvas.GetPixel(x0 + 1, y0 - 11), filled ? 0xFFFFFFFFu : Background) << "stage of " << place;
        if (!filled)
        {
            EXPECT_EQ(canvas.GetPixel(x0 + 1, y0 + 1), Background) << "digits of " << place;
        }
    }
    // The picture stretched under the frame, the digits of 305 from x0.
    EXPECT_EQ(canvas.GetPixel(145 - 85 + 40, 140 - 50 + 40), Avatar);
    EXPECT_EQ(canvas.GetPixel(475 - 85 + 40, 140 - 50 + 40), Background) << "no picture: only the frame";
    EXPECT_EQ(canvas.GetPixel(145 + 1, 141), Digit(3));
    EXPECT_EQ(canvas.GetPixel(155 + 1, 141), Digit(0));
    EXPECT_EQ(canvas.GetPixel(165 + 1, 141), Digit(5));
    EXPECT_EQ(canvas.GetPixel(175 + 1, 141), Background);
    // Place 7 is marked at (342, 266).
    EXPECT_EQ(canvas.GetPixel(342, 266), Mark);
    EXPECT_EQ(canvas.GetPixel(342 + 39, 266 + 25), Mark);
    EXPECT_EQ(canvas.GetPixel(341, 266), Background);
    EXPECT_EQ(canvas.GetPixel(342, 265), Background);
    // The stage line is drawn in the quest only.
    canvas.ClearAll();
    dialog->SetData(table, Game::ModeArcade, -1);
    dialog->Draw(&g);
    EXPECT_EQ(canvas.GetPixel(146, 129), Background);
    EXPECT_EQ(canvas.GetPixel(146, 109), 0xFFFFFFFFu);
}

TEST_F(HighScoreTest, ContinueAfterAWonQuestStageRaisesProgressAndStartsTheNextStage)
{
    PlayerRecord player;
    player.SetName("Ann");
    player.progressAir = 3;
    host->profiles.SetCurrentPlayer(player);
    State().mode = Game::ModeQuest;
    State().world = Game::WorldAir;
    State().stageId = Game::QuestBaseAir + 3;
    State().lastStageWon = true;
    State().stageCounter = 7;
    dialog->Open(&fieldWidget, HighScoreDialog::GameEnd, -1);
    EXPECT_EQ(widgets->modalWidget, dialog.get());
    EXPECT_TRUE(State().paused);
    host->calls.clear();

    ClickOn(dialog->continueButton);
    EXPECT_EQ(host->profiles.currentPlayer.progressAir, 4);
    EXPECT_EQ(State().stageCounter, 8);
    EXPECT_EQ(host->calls, (Calls{"clear grid", "shine 1", "stage 10004", "load stage 10004", "goal 1", "fade in",
                                  "reset stage", "prepare shots", "sunk drops cleared", "push-down 0", "music -1",
                                  "trace", "reset stage", "sunk drops cleared", "unpause"}));
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_TRUE(widgets->modalStack.empty());

    // A lost quest stage continues with the same stage.
    State().lastStageWon = false;
    dialog->Open(&fieldWidget, HighScoreDialog::GameEnd, -1);
    host->calls.clear();
    ClickOn(dialog->continueButton);
    EXPECT_EQ(host->calls[2], "stage 10004");
    EXPECT_EQ(State().stageCounter, 8);
}

TEST_F(HighScoreTest, TryAgainBackToMenuAndBackCloseTheirWays)
{
    State().mode = Game::ModeArcade;
    State().world = Game::WorldFire;
    State().lastStageWon = false;
    dialog->Open(&fieldWidget, HighScoreDialog::GameEnd, 3);
    host->calls.clear();
    ClickOn(dialog->tryAgainButton);
    EXPECT_EQ(host->calls,
              (Calls{"clear grid", "generate 2", "push-down 0", "reset stage", "sunk drops cleared", "prepare shots",
                     "fade in", "music -1", "trace", "reset stage", "sunk drops cleared", "unpause"}));

    State().lastStageWon = true;
    dialog->Open(&fieldWidget, HighScoreDialog::GameEnd, 3);
    host->calls.clear();
    ClickOn(dialog->continueButton);
    EXPECT_EQ(host->calls[0], "music -1") << "the next arcade field";
    EXPECT_EQ(host->calls[2], "generate 2");

    dialog->Open(&fieldWidget, HighScoreDialog::GameEnd, 3);
    host->calls.clear();
    ClickOn(dialog->backToMainMenuButton);
    EXPECT_EQ(host->calls, (Calls{"unpause", "menu 1 fade", "reset stage", "sunk drops cleared", "set unpaused"}));

    widgets->AddWidget(&board);
    host->holds.Begin();
    dialog->Open(&fieldWidget, HighScoreDialog::Viewing, 4);
    EXPECT_EQ(dialog->newRecord, 4);
    host->calls.clear();
    ClickOn(dialog->backButton);
    EXPECT_EQ(host->calls, Calls{"unpause"});
    EXPECT_EQ(dialog->newRecord, -1);
    EXPECT_FALSE(dialog->IsOpen());
}
