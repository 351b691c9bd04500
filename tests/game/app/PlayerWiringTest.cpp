// The player screens inside the running game: the main screen's selector,
// the create-player dialog over the menu, the warning and exit dialogs on
// the widget manager, and the quit fade that writes the profile file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/graphics/DDImage.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/Slider.h"
#include "game/app/TestGameApp.h"
#include "src/app/FadeWidget.h"
#include "src/app/PlayerScreens.h"
#include "src/core/ResourceIds.h"
#include "src/core/UserPaths.h"
#include "src/screens/dialogs/ConfigDialog.h"
#include "src/screens/dialogs/ExitDialog.h"
#include "src/screens/dialogs/WarningDialog.h"
#include "src/screens/menu/MenuBackground.h"
#include "src/screens/menu/MenuPanels.h"
#include "src/screens/players/CreatePlayerDialog.h"
#include "src/screens/players/PlayerSelector.h"
#include "support/FileBytes.h"
#include "support/FixedWidthFont.h"
#include "support/ImageFileWriters.h"

namespace fs = std::filesystem;

namespace
{

class PlayerWiringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = TestSupport::TestTempDir("game");
        fs::remove_all(dir);
        fs::create_directories(dir / "data");
        fs::remove_all(Game::UserDataDir()); // left by an earlier run of this test
        oldDirectory = fs::current_path();
        fs::current_path(dir);
        // The name field's font, so no system font is looked up.
        FONT_VERDANA10BOLD = &font;
        app = std::make_unique<FrothwickTest::TestGameApp>();
        app->widgetManager->width = 800;
        app->widgetManager->height = 600;
    }

    void TearDown() override
    {
        app.reset();
        ResetResourceVariables();
        fs::current_path(oldDirectory);
    }

    void Click(Framework::Widget* widget)
    {
        const Framework::Point at = widget->GetScreenPos();
        app->widgetManager->MouseMove(at.x + 2, at.y + 2);
        app->widgetManager->MouseDown(at.x + 2, at.y + 2, 1);
        app->widgetManager->MouseUp(at.x + 2, at.y + 2, 1);
    }

    fs::path dir;
    fs::path oldDirectory;
    TestSupport::FixedWidthFont font;
    std::unique_ptr<FrothwickTest::TestGameApp> app;
};

} // namespace

TEST_F(PlayerWiringTest, FirstRunCreatesAPlayerChoosesItAndQuitsThroughTheFade)
{
    const std::vector<uint32_t> pixels(9, 0xFF336699);
    fs::create_directories("images/avatar");
    ASSERT_TRUE(TestSupport::WriteFile("images/avatar/owl.png", TestSupport::EncodePng(3, 3, pixels)));
    app->ShowMainScreen();
    ASSERT_NE(app->playerScreens, nullptr);
    ASSERT_NE(app->exitDialog, nullptr);
    ASSERT_NE(app->warningDialog, nullptr);
    PlayerSelector* selector = app->playerScreens->selector.get();
    ASSERT_TRUE(app->menuBackground->HasWidget(selector));
    EXPECT_EQ(selector->GetRect(), Framework::Rect(219, 362, 370, 142));

    // No player yet: warning 2 above the menu, which stays on panel 0.
    Click(selector->startButton.get());
    EXPECT_TRUE(app->widgetManager->HasWidget(app->warningDialog.get()));
    EXPECT_EQ(app->warningDialog->kind, Warnings::NoPlayer);
    EXPECT_EQ(app->menuBackground->GetPanel(), 0);
    Click(app->warningDialog->backButton);
    EXPECT_FALSE(app->widgetManager->HasWidget(app->warningDialog.get()));

    Click(selector->createButton.get());
    CreatePlayerDialog* create = app->playerScreens->createPlayerDialog.get();
    ASSERT_TRUE(app->menuBackground->HasWidget(create));
    EXPECT_EQ(app->widgetManager->modalWidget, create);
    for (char c : std::string("Wren"))
    {
        app->widgetManager->CharTyped(c);
    }
    Click(create->okButton.get());
    EXPECT_FALSE(app->menuBackground->HasWidget(create));
    ASSERT_EQ(app->profiles.players.size(), 1u);
    EXPECT_EQ(app->profiles.players[0].GetAvatarPath(), "images\\avatar\\owl.png");
    EXPECT_EQ(fs::file_size(Game::ProfilesPath()), 296u) << "in the user's folder";
    EXPECT_FALSE(fs::exists("data/usr.dat")) << "nothing below the program's tree";

    Click(selector->startButton.get());
    EXPECT_EQ(app->menuBackground->GetPanel(), 1);
    EXPECT_EQ(app->CurrentPlayer().GetName(), "Wren");
    ASSERT_NE(app->avatarImage, nullptr);
    EXPECT_EQ(app->avatarImage->width, 3);
    app->SetWorld(1);
    app->StageReached(30005);

    // The exit dialog: NO keeps the game, YES fades out and saves.
    app->SetPaused(true);
    app->ShowExitDialog();
    ASSERT_TRUE(app->widgetManager->HasWidget(app->exitDialog.get()));
    EXPECT_EQ(app->exitDialog->drawPriority, 5);
    Click(app->exitDialog->noButton);
    EXPECT_FALSE(app->IsPaused());
    EXPECT_FALSE(app->widgetManager->HasWidget(app->fadeWidget.get()));
    app->ShowExitDialog();
    Click(app->exitDialog->yesButton);
    EXPECT_FALSE(app->widgetManager->HasWidget(app->exitDialog.get()));
    EXPECT_TRUE(app->widgetManager->modalStack.empty());
    ASSERT_TRUE(app->widgetManager->HasWidget(app->fadeWidget.get()));
    app->Ticks(85);
    EXPECT_FALSE(app->fadeWidget->finished);
    app->Ticks(1);
    EXPECT_TRUE(app->fadeWidget->finished);
    const auto bytes = TestSupport::FileBytes(Game::ProfilesPath());
    ASSERT_EQ(bytes.size(), 296u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "Wren");
    EXPECT_EQ(bytes[288], 5) << "water progress";
}

TEST_F(PlayerWiringTest, SettingOnTheMenuOpensTheSettingsDialogWithTheCurrentPlayerAndVolumes)
{
    app->ShowMainScreen();
    PlayerRecord player;
    player.SetName("Wren");
    app->SetCurrentPlayer(player);
    app->menuBackground->SwitchToPanel(1, false);
    app->musicVolume = 0.4;
    auto* menu = dynamic_cast<MenuPanels*>(app->menuBackground.get());
    ASSERT_NE(menu, nullptr);
    menu->ShowSettings();
    ConfigDialog* settings = app->playerScreens->configDialog.get();
    ASSERT_TRUE(app->menuBackground->HasWidget(settings));
    EXPECT_EQ(app->widgetManager->modalWidget, settings);
    EXPECT_EQ(settings->nameField->text, "Wren");
    EXPECT_DOUBLE_EQ(settings->musicSlider->value, 0.4);
    settings->nameField->SetText("Robin");
    Click(settings->okButton.get());
    EXPECT_FALSE(app->menuBackground->HasWidget(settings));
    EXPECT_TRUE(app->widgetManager->modalStack.empty());
    EXPECT_EQ(app->CurrentPlayer().GetName(), "Robin");
    EXPECT_FALSE(app->IsPaused()) << "the menu is never paused";
}
