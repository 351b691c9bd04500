// The loading screen: its picture at each progress, the fades, keys before
// and after loading, and the hand-over to the main screen; the screens that
// follow it (main menu music, the game screen, the quit fade).
#include "src/app/LoadScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include <filesystem>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/HyperlinkWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/app/TestGameApp.h"
#include "src/app/FadeWidget.h"
#include "src/core/ResourceIds.h"
#include "src/core/UserPaths.h"
#include "src/screens/game/Board.h"
#include "src/screens/menu/MenuBackground.h"

using FrothwickTest::TestGameApp;

namespace
{

constexpr uint32_t Backdrop = 0xFF203040;
constexpr uint32_t BarColour = 0xFF00C000;
constexpr uint32_t EmptyColour = 0xFF800000;
constexpr uint32_t Black = 0xFF000000;

Framework::MemoryImage Filled(int32_t w, int32_t h, uint32_t pixel)
{
    Framework::MemoryImage image;
    std::vector<uint32_t> pixels(size_t(w) * size_t(h), pixel);
    image.SetPixels(pixels.data(), w, h, false);
    return image;
}

class LoadScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::filesystem::path work = TestSupport::TestTempDir("work");
        std::filesystem::remove_all(work); // left by an earlier run
        std::filesystem::remove_all(Game::UserDataDir());
        std::filesystem::create_directories(work);
        std::filesystem::current_path(work);
        ResetResourceVariables();
        IMAGE_LOADER_SCREEN = &backdrop;
        IMAGE_LOADER_BAR = &bar;
        IMAGE_LOADER_EMPTY = &empty;
        screen.Allocate(800, 600);
    }
    void TearDown() override { ResetResourceVariables(); }

    // The loading screen as Initialise sets it up.
    LoadScreen* Open()
    {
        app.loadScreen = std::make_unique<LoadScreen>(&app);
        app.loadScreen->Resize(0, 0, 800, 600);
        app.loadScreen->CreateContinueLink();
        app.widgetManager->AddWidget(app.loadScreen.get());
        app.widgetManager->SetFocus(app.loadScreen.get());
        return app.loadScreen.get();
    }

    void Draw(LoadScreen& s)
    {
        Framework::Graphics g(&screen);
        s.Draw(&g);
    }

    uint32_t At(int32_t x, int32_t y) { return screen.GetPixel(x, y); }

    Framework::MemoryImage backdrop = Filled(800, 600, Backdrop);
    Framework::MemoryImage bar = Filled(274, 18, BarColour);
    Framework::MemoryImage empty = Filled(274, 18, EmptyColour);
    Framework::MemoryImage screen;
    TestGameApp app;
};

TEST_F(LoadScreenTest, NoProgressDrawsNoBar)
{
    LoadScreen& s = *Open();
    s.alpha = 255;
    Draw(s);
    EXPECT_EQ(At(263, 412), Backdrop);
    EXPECT_EQ(At(263 + 273, 412 + 17), Backdrop);
    EXPECT_EQ(At(5, 5), Backdrop);
}

TEST_F(LoadScreenTest, BarGrowsWithTheCompletedShareAndFillsAtOne)
{
    LoadScreen& s = *Open();
    s.alpha = 255;
    app.loaderStarted = true;
    app.loaderDone = true; // no loading thread here; progress comes from the counts
    app.loadTotal = 4;
    app.loadDone = 1;
    Draw(s);
    EXPECT_EQ(At(263, 412), BarColour);
    EXPECT_EQ(At(263 + 67, 412), BarColour); // 274 / 4 = 68.5 -> 68 columns
    EXPECT_EQ(At(263 + 68, 412), EmptyColour);
    EXPECT_EQ(At(263 + 273, 429), EmptyColour);
    EXPECT_EQ(At(262, 412), Backdrop);

    app.loadDone = 4;
    Draw(s);
    EXPECT_EQ(At(263, 412), BarColour);
    EXPECT_EQ(At(263 + 273, 412 + 17), BarColour);
    EXPECT_EQ(At(263 + 274, 412), Backdrop);
    EXPECT_EQ(At(263, 412 + 18), Backdrop);
}

TEST_F(LoadScreenTest, EverythingFadesWithAlpha)
{
    LoadScreen& s = *Open();
    app.loaded = true; // progress 1
    s.alpha = 0;
    Draw(s);
    EXPECT_EQ(At(5, 5), Black);
    EXPECT_EQ(At(300, 415), Black);
    s.alpha = 128;
    Draw(s);
    const uint32_t half = At(5, 5);
    EXPECT_NE(half, Black);
    EXPECT_NE(half, Backdrop);
    EXPECT_LT(half & 0xFF, Backdrop & 0xFF);
}

TEST_F(LoadScreenTest, AQuickLoadReachesFullBrightnessBeforeItFadesOut)
{
    LoadScreen& s = *Open();
    for (int i = 0; i < 10; ++i)
    {
        s.Update();
    }
    EXPECT_EQ(s.alpha, 30);
    s.MarkLoadComplete();
    // Frames counted as the loop runs them (one update each): the rise goes
    // on to 255, then the fall to 0 hands over.
    std::vector<int32_t> alphas;
    while (app.menuBackground == nullptr && alphas.size() < 400)
    {
        s.Update();
        alphas.push_back(s.alpha);
    }
    const auto peak = std::max_element(alphas.begin(), alphas.end());
    EXPECT_EQ(*peak, 255);
    EXPECT_EQ(peak - alphas.begin(), 74) << "75 updates from 30 to 255";
    EXPECT_TRUE(std::is_sorted(alphas.begin(), peak + 1));
    EXPECT_TRUE(std::is_sorted(peak, alphas.end(), std::greater<>()));
    EXPECT_EQ(alphas.size(), 75u + 85u);
    ASSERT_NE(app.menuBackground, nullptr) << "faded out: the main screen follows";
    EXPECT_TRUE(app.widgetManager->HasWidget(app.menuBackground.get()));
    EXPECT_FALSE(app.widgetManager->HasWidget(&s));
    EXPECT_EQ(app.menuBackground->GetPanel(), 0);
}

TEST_F(LoadScreenTest, ALoadDoneBeforeTheFirstUpdateFadesQuickly)
{
    LoadScreen& s = *Open();
    s.MarkLoadComplete();
    std::vector<int32_t> alphas;
    while (app.menuBackground == nullptr && alphas.size() < 400)
    {
        s.Update();
        alphas.push_back(s.alpha);
    }
    const auto peak = std::max_element(alphas.begin(), alphas.end());
    EXPECT_EQ(*peak, 255);
    EXPECT_EQ(peak - alphas.begin(), 16) << "17 updates up";
    EXPECT_EQ(alphas.size(), 17u + 17u);
    EXPECT_NE(app.menuBackground, nullptr);
}

TEST_F(LoadScreenTest, FadeInStopsAtFullOpacity)
{
    LoadScreen& s = *Open();
    for (int i = 0; i < 200; ++i)
    {
        s.Update();
    }
    EXPECT_EQ(s.alpha, 255);
    EXPECT_EQ(app.menuBackground, nullptr);
}

TEST_F(LoadScreenTest, KeysWaitForLoadingThenSkipTheFade)
{
    LoadScreen& s = *Open();
    app.widgetManager->KeyDown(32);
    EXPECT_NE(app.loadScreen, nullptr) << "a key while loading is ignored";
    EXPECT_EQ(app.menuBackground, nullptr);

    s.MarkLoadComplete();
    s.alpha = 200;
    app.widgetManager->KeyDown(32);
    EXPECT_EQ(app.loadScreen, nullptr) << "the application no longer holds the screen";
    ASSERT_NE(app.menuBackground, nullptr);
    EXPECT_EQ(app.widgetManager->children.size(), 1u);
    EXPECT_EQ(app.widgetManager->focusWidget, app.menuBackground.get());
    EXPECT_EQ(app.DeferredDeleteCount(), 2u) << "the screen and its link wait for deletion";
    app.ProcessDeferredDeletes();
    EXPECT_EQ(app.DeferredDeleteCount(), 0u);
}

TEST_F(LoadScreenTest, TheLinkIsHiddenDisabledAndStillContinues)
{
    LoadScreen& s = *Open();
    ASSERT_NE(s.continueLink, nullptr);
    EXPECT_FALSE(s.continueLink->visible);
    EXPECT_TRUE(s.continueLink->disabled);
    EXPECT_TRUE(app.widgetManager->HasWidget(s.continueLink));
    EXPECT_EQ(s.continueLink->label, "CLICK TO CONTINUE");
    EXPECT_EQ(s.continueLink->y, 600 - 0 - 90);
    s.ButtonClicked(LoadScreen::ContinueLinkId);
    EXPECT_EQ(app.loadScreen, nullptr);
    EXPECT_NE(app.menuBackground, nullptr);
    app.ProcessDeferredDeletes();
}

TEST_F(LoadScreenTest, MainScreenStartsItsMusicAndTheDragBandOnce)
{
    Open()->MarkLoadComplete();
    app.pendingSong = 10004;
    app.stageCounter = 3;
    app.widgetManager->KeyDown(13);
    EXPECT_EQ(app.music->calls, (std::vector<std::string>{"stop all", "fade in 10001 -1 2/1000 loop"}));
    EXPECT_EQ(app.pendingSong, -1);
    EXPECT_EQ(app.stageCounter, 0);
    EXPECT_EQ(app.dragBandHeight, 26);
    EXPECT_EQ(app.dragExcludeLeft, 720);
    EXPECT_EQ(app.dragExcludeRight, 797);
    MenuBackground* first = app.menuBackground.get();
    app.ShowMainScreen();
    EXPECT_EQ(app.menuBackground.get(), first) << "built once per run";
    app.ProcessDeferredDeletes();
}

TEST_F(LoadScreenTest, EachGameGetsANewBoardAndTheMenuCancelsItsSong)
{
    Open()->MarkLoadComplete();
    app.widgetManager->KeyDown(13);
    app.SetWorld(2);
    app.score = app.displayedScore = 70;
    app.StartGame();
    ASSERT_NE(app.board, nullptr);
    Board* first = app.board.get();
    EXPECT_EQ(first->GetBackground(), Board::WorldBackground(2));
    EXPECT_EQ(app.score + app.displayedScore, 0);
    EXPECT_EQ(app.widgetManager->children.size(), 1u);
    EXPECT_EQ(app.widgetManager->focusWidget, first);
    EXPECT_EQ(app.pendingSong, 10003);
    EXPECT_EQ(app.music->calls.back(), "fade out all 5/1000 stop");

    app.StartGame();
    EXPECT_NE(app.board.get(), nullptr);
    EXPECT_EQ(app.widgetManager->children.size(), 1u);

    app.ShowMainMenu(1, true);
    EXPECT_EQ(app.pendingSong, -1) << "the pending stage song is cancelled";
    EXPECT_EQ(app.menuBackground->GetPanel(), 1);
    EXPECT_TRUE(app.menuBackground->IsFading());
    app.Ticks(400);
    EXPECT_EQ(app.music->calls.back(), "fade in 10001 -1 2/1000 loop");
    app.ProcessDeferredDeletes();
}

TEST_F(LoadScreenTest, BoardDrawsTheWorldBackground)
{
    Framework::MemoryImage fire = Filled(800, 600, 0xFFAA3300);
    IMAGE_BG_FIRE = &fire;
    Board board(app, nullptr);
    board.Resize(0, 0, 800, 600);
    board.ShowWorldBackground(2);
    Framework::Graphics g(&screen);
    board.Draw(&g);
    EXPECT_EQ(At(400, 300), 0xFFAA3300u);
    // No world of that number: the background stays.
    board.ShowWorldBackground(7);
    board.Draw(&g);
    EXPECT_EQ(At(400, 300), 0xFFAA3300u);
}

TEST_F(LoadScreenTest, QuitFadeSavesOnceAndStopsAfter86Updates)
{
    std::filesystem::create_directories("data");
    PlayerRecord player;
    ASSERT_TRUE(player.SetName("Ann"));
    app.SetCurrentPlayer(player);
    app.BeginQuit();
    app.BeginQuit();
    EXPECT_EQ(app.widgetManager->children.size(), 1u);
    FadeWidget& fade = *app.fadeWidget;
    for (int i = 0; i < 85; ++i)
    {
        fade.Update();
    }
    EXPECT_FALSE(app.shutdown);
    fade.Update();
    EXPECT_TRUE(app.shutdown);
    fade.Update();
    EXPECT_EQ(app.profiles.players.size(), 1u) << "saved once";
    ASSERT_TRUE(std::filesystem::exists(Game::ProfilesPath()));
    EXPECT_EQ(std::filesystem::file_size(Game::ProfilesPath()), 296u);
}

TEST_F(LoadScreenTest, QuitWithoutAPlayerWritesNoProfile)
{
    std::filesystem::create_directories("data");
    app.BeginQuit();
    for (int i = 0; i < 90; ++i)
    {
        app.fadeWidget->Update();
    }
    EXPECT_TRUE(app.shutdown);
    EXPECT_TRUE(app.profiles.players.empty());
    EXPECT_FALSE(std::filesystem::exists(Game::ProfilesPath()));
}

} // namespace
