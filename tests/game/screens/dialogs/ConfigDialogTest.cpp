// The settings dialog: what an opening fills in, the sliders, OK and BACK
// with the screen mode on a fake platform, the names it refuses, the
// avatar picker it shares with the create-player dialog, two dialogs
// sharing the volumes, and dragging on the play field.
#include <gtest/gtest.h>

#include "framework/widgets/Checkbox.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/Slider.h"
#include "game/screens/dialogs/GameDialogTestSupport.h"
#include "src/screens/dialogs/ConfigDialog.h"
#include "src/screens/players/AvatarBrowser.h"
#include "support/ImageFileWriters.h"

using DialogTest::Calls;
using DialogTest::Solid;

namespace
{

class PickingBrowser : public AvatarBrowser
{
public:
    using AvatarBrowser::AvatarBrowser;
    std::string picked;
    bool windowedWhenRun = false;

    std::string FindChooser() override { return "/usr/bin/zenity"; }
    bool RunChooser(const std::string&, std::string& chosen) override
    {
        windowedWhenRun = app.windowed;
        chosen = picked;
        return true;
    }
};

class ConfigDialogTest : public DialogTest::DialogBench
{
protected:
    ConfigDialogTest()
    {
        Solid(thumb, 12, 19, 0xFFFFFFFF);
        IMAGE_VOL_MARK = &thumb;
        Solid(mark, 4, 4, 0xFFABCDEF);
        IMAGE_FULLMARK = &mark;
        for (const char* name : {"a.png", "b.png", "c.png"})
        {
            WritePicture(dir / "images" / "avatar" / name);
        }
        PlayerRecord player;
        player.SetName("Ann");
        player.SetAvatarPath("images\\avatar\\b.png");
        player.progressFire = 6;
        host->profiles.SetCurrentPlayer(player);
        PlayerRecord other;
        other.SetName("Bo");
        host->profiles.players.push_back(other);
        host->app.musicVolume = 0.5;
        host->app.sfxVolume = 0.25;
        dialog = std::make_unique<ConfigDialog>(*host);
    }

    static void WritePicture(const std::filesystem::path& path)
    {
        std::filesystem::create_directories(path.parent_path());
        TestSupport::WriteFile(path.string(), TestSupport::EncodePng(2, 2, std::vector<uint32_t>(4, 0xFF808080)));
    }

    void StartFullScreen()
    {
        host->app.windowed = false;
        host->app.preferredX = -40;
        host->app.preferredY = 30;
        host->app.SetWindowDragBand(26, 720, 797);
        host->app.CreateMainWindow();
        widgets->screenImage = &screen;
    }

    // Drags the slider's thumb by dx pixels, released there.
    void DragThumb(Framework::Slider& slider, int32_t dx)
    {
        const Framework::Point at = slider.GetScreenPos();
        const int32_t px = at.x + slider.ThumbX() + 5;
        const int32_t py = at.y + 9;
        widgets->MouseMove(px, py);
        widgets->MouseDown(px, py, 1);
        widgets->MouseDrag(px + dx, py);
        lastValueAfterDrag = host->app.GetMusicVolume();
        widgets->MouseUp(px + dx, py, 1);
    }

    Framework::MemoryImage thumb;
    Framework::MemoryImage mark;
    std::unique_ptr<ConfigDialog> dialog;
    double lastValueAfterDrag = -1;
};

} // namespace

TEST_F(ConfigDialogTest, OpeningFillsTheBoxNameAvatarAndSliders)
{
    StartFullScreen();
    dialog->Move(10, 10);
    dialog->picker.avatarIndex = 2;
    dialog->ShowSettings(&board);
    EXPECT_EQ(dialog->GetRect(), Framework::Rect(201, 180, 384, 320));
    EXPECT_EQ(widgets->modalWidget, dialog.get());
    EXPECT_TRUE(dialog->fullScreenBox->checked);
    EXPECT_EQ(dialog->nameField->text, "Ann");
    ASSERT_EQ(dialog->picker.avatarPaths.size(), 3u);
    EXPECT_EQ(dialog->picker.avatarIndex, 1) << "the player's own picture";
    EXPECT_NE(dialog->picker.avatarImage, nullptr);
    EXPECT_DOUBLE_EQ(dialog->musicSlider->value, 0.5);
    EXPECT_DOUBLE_EQ(dialog->soundSlider->value, 0.25);
    EXPECT_EQ(dialog->GetRect().width, 384);

    // The box draws nothing itself; the dialog draws the mark at (166, 264).
    Framework::MemoryImage canvas;
    canvas.Allocate(384, 320);
    Framework::Graphics g(&canvas);
    dialog->Draw(&g);
    EXPECT_EQ(canvas.GetPixel(166, 264), 0xFFABCDEFu);
    canvas.ClearAll();
    Framework::Graphics boxGraphics(&canvas);
    dialog->fullScreenBox->Draw(&boxGraphics);
    EXPECT_EQ(canvas.GetPixel(1, 1), 0u);
}

TEST_F(ConfigDialogTest, SlidersSetTheVolumesAtOnceAndBackPutsThemBack)
{
    dialog->ShowSettings(&board);
    DragThumb(*dialog->musicSlider, 40);
    EXPECT_DOUBLE_EQ(lastValueAfterDrag, (80 + 40) / 160.0) << "while the thumb moves";
    DragThumb(*dialog->soundSlider, -40);
    EXPECT_DOUBLE_EQ(host->app.GetSfxVolume(), 0.0);
    ClickOn(dialog->backButton.get());
    EXPECT_DOUBLE_EQ(host->app.GetMusicVolume(), 0.5);
    EXPECT_DOUBLE_EQ(host->app.GetSfxVolume(), 0.25);
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_TRUE(widgets->modalStack.empty());
    EXPECT_EQ(dialog->nameField->text, "");
}

TEST_F(ConfigDialogTest, OkMakesAWindowOnlyWhenTheBoxDiffersFromTheMode)
{
    StartFullScreen();
    const size_t windows = host->app.fake->created.size();
    dialog->ShowSettings(&board);
    ClickOn(dialog->okButton.get());
    EXPECT_EQ(host->app.fake->created.size(), windows) << "box and mode agree";

    dialog->ShowSettings(&board);
    ClickOn(dialog->fullScreenBox.get());
    EXPECT_FALSE(dialog->fullScreenBox->checked);
    ClickOn(dialog->backButton.get());
    EXPECT_EQ(host->app.fake->created.size(), windows) << "BACK forgets the box";
    EXPECT_FALSE(host->app.windowed);

    dialog->ShowSettings(&board);
    EXPECT_TRUE(dialog->fullScreenBox->checked);
    ClickOn(dialog->fullScreenBox.get());
    ClickOn(dialog->okButton.get());
    EXPECT_EQ(host->app.fake->created.size(), windows + 1);
    EXPECT_TRUE(host->app.windowed);
    EXPECT_GE(host->app.preferredX, 0);
    EXPECT_EQ(host->app.fake->dragBands.back(), 26);
    EXPECT_EQ(host->avatarReloads, 2);
}

TEST_F(ConfigDialogTest, OkRenamesTheCurrentPlayerAndTakesTheChosenPicture)
{
    host->profiles.currentPlayer.SetAvatarPath("images\\avatar\\gone.png");
    dialog->ShowSettings(&board);
    EXPECT_EQ(dialog->picker.avatarIndex, 0) << "an unlisted picture shows the first";
    dialog->nameField->SetText("Annie");
    ClickOn(dialog->okButton.get());
    EXPECT_EQ(host->profiles.currentPlayer.GetName(), "Annie");
    EXPECT_EQ(host->profiles.currentPlayer.GetAvatarPath(), "images\\avatar\\a.png");
    EXPECT_EQ(host->profiles.currentPlayer.progressFire, 6);

    // An empty name stays accepted; the arrows choose the picture.
    dialog->ShowSettings(&board);
    dialog->nameField->SetText("");
    ClickOn(dialog->leftButton.get());
    ClickOn(dialog->okButton.get());
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_EQ(host->profiles.currentPlayer.GetName(), "");
    EXPECT_EQ(host->profiles.currentPlayer.GetAvatarPath(), "images\\avatar\\c.png");
    EXPECT_TRUE(host->warnings.empty());
}

TEST_F(ConfigDialogTest, OkRefusesAnotherPlayersNameAndInvalidChangingNothing)
{
    dialog->ShowSettings(&board);
    ClickOn(dialog->rightButton.get());
    struct Row
    {
        const char* name;
        int32_t warning;
    };
    for (const Row& row : {Row{"Bo", Warnings::NameExists}, Row{"invalid", Warnings::NameInvalid}})
    {
        host->warnings.clear();
        dialog->nameField->SetText(row.name);
        ClickOn(dialog->okButton.get());
        EXPECT_EQ(host->warnings, std::vector<int32_t>{row.warning}) << row.name;
        EXPECT_TRUE(dialog->IsOpen()) << row.name;
        EXPECT_EQ(host->profiles.currentPlayer.GetName(), "Ann");
        EXPECT_EQ(host->profiles.currentPlayer.GetAvatarPath(), "images\\avatar\\b.png");
        ASSERT_EQ(host->profiles.players.size(), 1u) << "the other profile is kept";
        EXPECT_EQ(host->profiles.players[0].GetName(), "Bo");
    }
    EXPECT_EQ(host->avatarReloads, 0);
}

TEST_F(ConfigDialogTest, WithoutAnyPictureThePlayerKeepsTheirs)
{
    std::filesystem::remove_all(dir / "images");
    dialog->ShowSettings(&board);
    EXPECT_TRUE(dialog->picker.avatarPaths.empty());
    ClickOn(dialog->rightButton.get());
    ClickOn(dialog->okButton.get());
    EXPECT_EQ(host->profiles.currentPlayer.GetAvatarPath(), "images\\avatar\\b.png");
}

TEST_F(ConfigDialogTest, BrowseInFullScreenLeavesAWindowAndChoosesTheImport)
{
    StartFullScreen();
    auto browser = std::make_unique<PickingBrowser>(host->app);
    PickingBrowser* picking = browser.get();
    dialog->SetBrowser(std::move(browser));
    const std::filesystem::path outside = dir / "elsewhere" / "Me.png";
    WritePicture(outside);
    picking->picked = outside.string();
    dialog->ShowSettings(&board);
    ClickOn(dialog->browseButton.get());
    EXPECT_TRUE(picking->windowedWhenRun);
    EXPECT_TRUE(host->app.windowed);
    EXPECT_GE(host->app.preferredX, 0);
    EXPECT_EQ(host->app.fake->dragBands.back(), 26);
    EXPECT_EQ(*dialog->picker.ChosenPath(), "images\\avatar\\Me.png");
    ClickOn(dialog->okButton.get());
    EXPECT_EQ(host->profiles.currentPlayer.GetAvatarPath(), "images\\avatar\\Me.png");
}

TEST_F(ConfigDialogTest, BackInOneDialogKeepsTheVolumeAnotherOneConfirmed)
{
    ConfigDialog menuDialog(*host);
    // The game's dialog: the music at 0.75 and OK.
    dialog->ShowSettings(&fieldWidget);
    DragThumb(*dialog->musicSlider, 40);
    ClickOn(dialog->okButton.get());
    ASSERT_DOUBLE_EQ(host->app.GetMusicVolume(), 0.75);
    // The menu's dialog, built before that OK: BACK keeps 0.75.
    menuDialog.ShowSettings(&board);
    DragThumb(*menuDialog.musicSlider, -40);
    ClickOn(menuDialog.backButton.get());
    EXPECT_DOUBLE_EQ(host->app.GetMusicVolume(), 0.75);
}

TEST_F(ConfigDialogTest, DraggedFromThePlayFieldItStopsAtTheScreensEdges)
{
    dialog->ShowSettings(&fieldWidget);
    const auto dragFrom = [&](int32_t localX, int32_t localY, int32_t toX, int32_t toY)
    {
        const Framework::Point at = dialog->GetScreenPos();
        widgets->MouseMove(at.x + localX, at.y + localY);
        widgets->MouseDown(at.x + localX, at.y + localY, 1);
        widgets->MouseDrag(toX, toY);
        widgets->MouseUp(toX, toY, 1);
    };
    dragFrom(5, 5, 2000, 2000);
    EXPECT_EQ(dialog->GetScreenPos().x, 800 - 384);
    EXPECT_EQ(dialog->GetScreenPos().y, 600 - 320);
    dragFrom(5, 5, -500, -500);
    EXPECT_EQ(dialog->GetScreenPos().x, 0);
    EXPECT_EQ(dialog->GetScreenPos().y, 0);
    EXPECT_EQ(dialog->x, -15) << "in the field's coordinates";
    EXPECT_EQ(dialog->y, -37);
    EXPECT_EQ(host->cursors.back(), 0);
}
