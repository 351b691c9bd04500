// The selection panels inside the running application: ShowMainMenu shows
// them, their buttons change the application's game state and lead on to a
// game, and the change-mode dialog brings a game back to them.
#include <gtest/gtest.h>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/ButtonWidget.h"
#include "game/app/TestGameApp.h"
#include "src/screens/dialogs/ChangeModeDialog.h"
#include "src/screens/game/Board.h"
#include "src/screens/menu/ChooseStageDialog.h"
#include "src/screens/menu/DifficultySelector.h"
#include "src/screens/menu/MainMenu.h"
#include "src/screens/menu/MenuPanels.h"
#include "src/screens/menu/WorldSelector.h"
#include "src/screens/menu/WorldSphere.h"
#include "widgets/WidgetProbe.h"

using FrothwickTest::TestGameApp;

namespace
{

struct MenuRig
{
    MenuRig()
    {
        app.widgetManager->width = 800;
        app.widgetManager->height = 600;
        panels = std::make_shared<MenuPanels>(&app);
        app.menuBackground = panels;
    }

    void ClickOn(Framework::Widget& widget)
    {
        const Framework::Point at = widget.GetScreenPos();
        const int32_t px = at.x + widget.width / 2;
        const int32_t py = at.y + widget.height / 2;
        app.widgetManager->MouseMove(px, py);
        app.widgetManager->MouseDown(px, py, 1);
        app.widgetManager->MouseUp(px, py, 1);
    }

    static Framework::ButtonWidget& ButtonOf(Framework::Widget& screen, int32_t id)
    {
        for (Framework::Widget* child : screen.children)
        {
            auto* button = dynamic_cast<Framework::ButtonWidget*>(child);
            if (button != nullptr && button->id == id)
            {
                return *button;
            }
        }
        throw std::runtime_error("no such button");
    }

    // Which of the three selection panels are in the menu background.
    std::string Shown() const
    {
        std::string shown;
        shown += panels->HasWidget(panels->mainMenu.get()) ? "M" : "-";
        shown += panels->HasWidget(panels->difficultySelector.get()) ? "D" : "-";
        shown += panels->HasWidget(panels->worldSelector.get()) ? "W" : "-";
        return shown;
    }

    TestGameApp app;
    std::shared_ptr<MenuPanels> panels;
};

} // namespace

TEST(MenuPanels, ShowMainMenuPutsExactlyTheRequestedPanelOnScreen)
{
    MenuRig m;
    m.app.ShowMainMenu(1, false);
    EXPECT_TRUE(m.app.widgetManager->HasWidget(m.panels.get()));
    EXPECT_EQ(m.Shown(), "M--");
    m.app.ShowMainMenu(2, true);
    EXPECT_EQ(m.Shown(), "-D-");
    EXPECT_EQ(m.panels->GetPanel(), 2);
    m.app.ShowMainMenu(0, false);
    EXPECT_EQ(m.Shown(), "---") << "the player selector's panel";
    auto selector = std::make_shared<Framework::Widget>();
    m.panels->SetPlayerSelector(selector);
    EXPECT_TRUE(m.panels->HasWidget(selector.get())) << "panel 0 is showing";
    EXPECT_EQ(selector->x, 219);
    EXPECT_EQ(selector->y, 362);
    m.app.ShowMainMenu(1, false);
    EXPECT_FALSE(m.panels->HasWidget(selector.get()));
    EXPECT_EQ(m.Shown(), "M--");
    m.panels->worldSelector->titleActive = false;
    m.app.ShowMainMenu(3, false);
    EXPECT_EQ(m.Shown(), "--W");
    EXPECT_TRUE(m.panels->worldSelector->titleActive) << "the world selector starts over on every entry";
}

TEST(MenuPanels, ArcadeWalkFromTheMainMenuToAGame)
{
    MenuRig m;
    m.app.ShowMainMenu(1, false);
    m.ClickOn(MenuRig::ButtonOf(*m.panels->mainMenu, MainMenu::ButtonArcade));
    EXPECT_EQ(m.app.GetGameMode(), 100);
    EXPECT_EQ(m.Shown(), "-D-");
    m.ClickOn(MenuRig::ButtonOf(*m.panels->difficultySelector, 2));
    EXPECT_EQ(m.app.GetDifficulty(), 2);
    EXPECT_EQ(m.Shown(), "--W");
    m.ClickOn(*m.panels->worldSelector->SphereOf(2));
    EXPECT_EQ(m.app.GetWorld(), 2);
    ASSERT_TRUE(m.app.board);
    EXPECT_TRUE(m.app.widgetManager->HasWidget(m.app.board.get()));
    EXPECT_FALSE(m.app.widgetManager->HasWidget(m.panels.get()));
}

TEST(MenuPanels, QuestWalkThroughTheStageChooserAndBackByChangeMode)
{
    MenuRig m;
    m.app.ShowMainMenu(1, false);
    m.ClickOn(MenuRig::ButtonOf(*m.panels->mainMenu, MainMenu::ButtonQuest));
    EXPECT_EQ(m.app.GetGameMode(), 101);
    EXPECT_EQ(m.Shown(), "--W") << "quest skips the difficulties";
    m.ClickOn(*m.panels->worldSelector->SphereOf(3));
    ChooseStageDialog& chooser = *m.panels->worldSelector->stageChooser;
    ASSERT_TRUE(m.panels->worldSelector->IsStageChooserOpen());
    EXPECT_FALSE(chooser.StageButton(0)->disabled);
    EXPECT_TRUE(chooser.StageButton(1)->disabled) << "a new player has only stage 1";
    m.ClickOn(*chooser.StageButton(0));
    EXPECT_EQ(m.app.GetStage(), 40000);
    ASSERT_TRUE(m.app.board);
    EXPECT_TRUE(m.app.widgetManager->HasWidget(m.app.board.get()));
    EXPECT_FALSE(m.panels->worldSelector->IsStageChooserOpen());

    // In the game: change mode to arcade while paused.
    ChangeModeDialog dialog(*m.panels);
    m.app.board->AddWidget(&dialog);
    m.app.widgetManager->PushModal(&dialog);
    m.app.SetPaused(true);
    m.ClickOn(MenuRig::ButtonOf(dialog, ChangeModeDialog::ButtonArcade));
    EXPECT_FALSE(m.app.IsPaused());
    EXPECT_EQ(m.app.GetGameMode(), 100);
    EXPECT_TRUE(m.app.widgetManager->HasWidget(m.panels.get()));
    EXPECT_EQ(m.Shown(), "-D-");
    // The menu answers the mouse again.
    m.ClickOn(MenuRig::ButtonOf(*m.panels->difficultySelector, DifficultySelector::ButtonBack));
    EXPECT_EQ(m.Shown(), "M--");
    m.app.board->RemoveWidget(&dialog);
}

TEST(MenuPanels, AFadedReturnLightensOver51UpdatesWhileButtonsStillReact)
{
    MenuRig m;
    m.app.ShowMainMenu(1, false);
    m.panels->fadeAlpha = 0;
    m.app.ShowMainMenu(1, true);
    EXPECT_EQ(m.panels->fadeAlpha, 255);
    EXPECT_TRUE(m.panels->IsFading());
    for (int32_t i = 0; i < 50; ++i)
    {
        m.app.widgetManager->RunUpdatePass();
    }
    EXPECT_EQ(m.panels->fadeAlpha, 5);
    m.ClickOn(MenuRig::ButtonOf(*m.panels->mainMenu, MainMenu::ButtonQuest));
    EXPECT_EQ(m.app.GetGameMode(), 101) << "buttons react during the fade";
    m.app.widgetManager->RunUpdatePass();
    EXPECT_EQ(m.panels->fadeAlpha, 0);
    EXPECT_FALSE(m.panels->IsFading()) << "the fade is over once the overlay is clear";
    m.app.widgetManager->RunUpdatePass();
    EXPECT_EQ(m.panels->fadeAlpha, 0);
    // A switch without fade leaves the overlay as it is.
    m.app.ShowMainMenu(2, false);
    EXPECT_EQ(m.panels->fadeAlpha, 0);
}

TEST(MenuPanels, TheFadeCoversThePanelsButNotWhatLiesAbovePriorityTwo)
{
    MenuRig m;
    Framework::MemoryImage screen;
    screen.Allocate(800, 600);
    m.app.widgetManager->screenImage = &screen;
    m.app.ShowMainMenu(1, true);
    const auto white = [](Framework::Graphics* g)
    {
        g->SetColor(Framework::Color(255, 255, 255));
        g->FillRect(0, 0, 40, 40);
    };
    TestSupport::EventLog log;
    TestSupport::WidgetProbe panel{log, "panel", 400, 100, 40, 40};
    panel.onDraw = white;
    m.panels->AddWidget(&panel);
    TestSupport::WidgetProbe dialog{log, "dialog", 155, 215, 40, 40};
    dialog.drawPriority = 5;
    dialog.onDraw = white;
    m.app.widgetManager->AddWidget(&dialog);

    m.app.widgetManager->RunDrawPass();
    EXPECT_EQ(screen.GetPixel(410, 110), 0xFF000000U) << "a panel under the fade starts black";
    EXPECT_EQ(screen.GetPixel(160, 220), 0xFFFFFFFFU) << "a dialog above stays bright";
    for (int32_t i = 0; i < 51; ++i)
    {
        m.app.widgetManager->RunUpdatePass();
    }
    m.app.widgetManager->RunDrawPass();
    EXPECT_EQ(screen.GetPixel(410, 110), 0xFFFFFFFFU) << "faded in after 51 updates";
    m.app.widgetManager->RemoveWidget(&dialog);
    m.panels->RemoveWidget(&panel);
}

TEST(MenuPanels, MaximizeSwitchesToFullScreenAndBackIntoTheScreen)
{
    MenuRig m;
    m.app.ShowMainMenu(1, false);
    m.app.windowed = true;
    m.app.preferredX = -30;
    m.app.preferredY = 12;
    m.ClickOn(*m.panels->maximizeButton);
    EXPECT_FALSE(m.app.windowed);
    m.ClickOn(*m.panels->maximizeButton);
    EXPECT_TRUE(m.app.windowed);
    EXPECT_EQ(m.app.preferredX, 4) << "where the window stands, 4 pixels inside the work area";
    EXPECT_EQ(m.app.preferredY, 12);

    // A window never placed keeps being centred.
    m.app.SetScreenMode(false);
    m.app.preferredX = -1;
    m.app.preferredY = -1;
    m.ClickOn(*m.panels->maximizeButton);
    EXPECT_TRUE(m.app.windowed);
    EXPECT_EQ(m.app.preferredX, -1);
}

TEST(MenuPanels, WindowButtonsIgnoreTheMouseUnderAModalDialog)
{
    MenuRig m;
    m.app.ShowMainMenu(1, false);
    m.app.windowed = true;
    TestSupport::EventLog log;
    TestSupport::WidgetProbe dialog{log, "dialog", 219, 103, 300, 300};
    m.panels->AddWidget(&dialog);
    m.app.widgetManager->PushModal(&dialog);
    m.ClickOn(*m.panels->maximizeButton);
    EXPECT_TRUE(m.app.windowed);
    m.app.widgetManager->PopModal(&dialog);
    m.panels->RemoveWidget(&dialog);
    m.ClickOn(*m.panels->maximizeButton);
    EXPECT_FALSE(m.app.windowed);
}

TEST(MenuPanels, ADoubleClickActsOnlyOnTheButtonItsFirstClickHit)
{
    MenuRig m;
    m.app.ShowMainMenu(1, false);
    Framework::ButtonWidget& arcade = MenuRig::ButtonOf(*m.panels->mainMenu, MainMenu::ButtonArcade);
    const Framework::Point at = arcade.GetScreenPos();
    const int32_t px = at.x + arcade.width / 2;
    const int32_t py = at.y + arcade.height / 2;
    m.ClickOn(arcade);
    ASSERT_EQ(m.Shown(), "-D-");
    // The second press of the double click lands on the difficulty panel.
    ASSERT_NE(m.app.widgetManager->FindWidgetAt(px, py), nullptr);
    m.app.widgetManager->MouseDown(px, py, 2);
    m.app.widgetManager->MouseUp(px, py, 1);
    EXPECT_EQ(m.Shown(), "-D-") << "no difficulty picked unseen";
    m.ClickOn(MenuRig::ButtonOf(*m.panels->difficultySelector, 1));
    EXPECT_EQ(m.Shown(), "--W");
}

TEST(MenuPanels, MenusAtRestAreNotRedrawn)
{
    MenuRig m;
    Framework::MemoryImage screen;
    screen.Allocate(800, 600);
    m.app.widgetManager->screenImage = &screen;
    m.app.ShowMainMenu(1, true);
    m.app.widgetManager->MouseMove(790, 590);
    const auto drawsOver = [&](int32_t ticks)
    {
        int32_t draws = 0;
        for (int32_t i = 0; i < ticks; ++i)
        {
            m.app.widgetManager->RunUpdatePass();
            draws += m.app.widgetManager->RunDrawPass() ? 1 : 0;
        }
        return draws;
    };
    EXPECT_EQ(drawsOver(51), 51) << "every step of the fade is drawn";
    EXPECT_EQ(drawsOver(200), 0) << "the main menu at rest";

    m.ClickOn(MenuRig::ButtonOf(*m.panels->mainMenu, MainMenu::ButtonArcade));
    m.ClickOn(MenuRig::ButtonOf(*m.panels->difficultySelector, 0));
    ASSERT_EQ(m.Shown(), "--W");
    m.app.widgetManager->MouseMove(790, 590);
    EXPECT_GT(drawsOver(300), 0) << "the spheres grow";
    EXPECT_EQ(drawsOver(200), 0) << "the world selection once its spheres have grown";
}

TEST(MenuPanels, AHoveredButtonOrSphereIsRedrawnWhenItsLookChangesNotWhileThePointerRests)
{
    MenuRig m;
    Framework::MemoryImage screen;
    screen.Allocate(800, 600);
    m.app.widgetManager->screenImage = &screen;
    m.app.ShowMainMenu(1, false);
    m.app.widgetManager->MouseMove(790, 590);
    const auto drawsOver = [&](int32_t ticks)
    {
        int32_t draws = 0;
        for (int32_t i = 0; i < ticks; ++i)
        {
            m.app.widgetManager->RunUpdatePass();
            draws += m.app.widgetManager->RunDrawPass() ? 1 : 0;
        }
        return draws;
    };
    drawsOver(60); // the fade from black the panels start with
    ASSERT_EQ(drawsOver(100), 0);

    const auto pointAt = [&](Framework::Widget& widget)
    {
        const Framework::Point at = widget.GetScreenPos();
        m.app.widgetManager->MouseMove(at.x + widget.width / 2, at.y + widget.height / 2);
    };
    pointAt(MenuRig::ButtonOf(*m.panels->mainMenu, MainMenu::ButtonQuest));
    EXPECT_GE(drawsOver(100), 1) << "the hover look";
    EXPECT_EQ(drawsOver(300), 0) << "a hovered button at rest";
    m.app.widgetManager->MouseMove(790, 590);
    EXPECT_GE(drawsOver(100), 1) << "back to the normal look";
    EXPECT_EQ(drawsOver(100), 0);

    m.ClickOn(MenuRig::ButtonOf(*m.panels->mainMenu, MainMenu::ButtonQuest));
    ASSERT_EQ(m.Shown(), "--W");
    m.app.widgetManager->MouseMove(790, 590);
    drawsOver(300);
    ASSERT_EQ(drawsOver(100), 0);
    pointAt(*m.panels->worldSelector->SphereOf(3));
    EXPECT_GE(drawsOver(100), 1) << "the sphere's hover look";
    EXPECT_EQ(drawsOver(300), 0) << "a hovered sphere at rest";
}
