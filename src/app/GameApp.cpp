#include "src/app/GameApp.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "external/lumora/ParticleSystemManager.h"
#include "external/timer/TimeManager.h"
#include "external/util/RuntimeRandom.h"
#include "framework/app/ResourceManager.h"
#include "src/core/UserPaths.h"
#include "framework/graphics/TextureFont.h"
#include "framework/platform/SplashWindow.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "src/screens/game/Board.h"
#include "src/screens/dialogs/ExitDialog.h"
#include "src/app/FadeWidget.h"
#include "src/app/LoadScreen.h"
#include "src/screens/menu/MenuBackground.h"
#include "src/screens/menu/MenuPanels.h"
#include "src/app/PlayerScreens.h"
#include "src/app/ResourceBinding.h"
#include "src/core/ResourceIds.h"
#include "src/play/PlaySeed.h"
#include "src/screens/dialogs/WarningDialog.h"

GameApp* gApp = nullptr;

namespace
{

// Songs loaded into the music interface once "Game" has loaded, in order.
struct SongFile
{
    int32_t id;
    const char* path;
};
constexpr SongFile songFiles[] = {
    {Songs::WindCloud, "sounds/wind_cloud.ogg"},
    {Songs::MainScreen, "music/mainscreen.ogg"},
    {Songs::Dream, "music/dream.ogg"},
    {Songs::Fire, "music/fire.ogg"},
    {Songs::Ice, "music/ice.ogg"},
    {Songs::Phantom, "music/phantom.ogg"},
    {Songs::PurpleMoon, "music/purple moon.ogg"},
    {Songs::Wind, "music/wind.ogg"},
    {Songs::LevelComplete, "music/level complete.ogg"},
    {Songs::LevelFailed, "music/level failed.ogg"},
};

constexpr double StageFadeSpeed = 0.005;
constexpr double MainScreenFadeSpeed = 0.002;

// One obstacle count: rand() % range + base, or base alone when range is 0.
struct CountRule
{
    int32_t range;
    int32_t base;
};

// Obstacle counts of generated stages per mode (arcade, time) and difficulty,
// in the order of ObstacleIndex.
constexpr CountRule obstacleRules[2][4][ObstacleKinds] = {
    {
        {{0, 0}, {3, 1}, {0, 1}, {2, 2}, {2, 3}, {3, 6}, {0, 1}, {2, 2}, {0, 2}, {2, 2}, {0, 1}},
        {{3, 2}, {2, 1}, {0, 2}, {3, 3}, {2, 2}, {3, 4}, {3, 2}, {2, 3}, {2, 3}, {2, 3}, {3, 2}},
        {{2, 6}, {2, 1}, {2, 3}, {3, 3}, {2, 2}, {3, 2}, {3, 3}, {2, 4}, {2, 5}, {2, 5}, {2, 4}},
        {{3, 8}, {2, 1}, {2, 3}, {3, 4}, {2, 2}, {3, 2}, {4, 6}, {2, 5}, {2, 7}, {2, 7}, {2, 5}},
    },
    {
        {{0, 0}, {3, 1}, {0, 0}, {0, 0}, {2, 3}, {3, 6}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 0}},
        {{0, 0}, {2, 1}, {0, 1}, {0, 0}, {2, 2}, {3, 4}, {0, 2}, {0, 1}, {0, 2}, {0, 2}, {0, 0}},
        {{0, 1}, {2, 1}, {0, 1}, {0, 0}, {2, 2}, {3, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 3}, {0, 0}},
        {{0, 2}, {2, 1}, {0, 1}, {0, 0}, {2, 2}, {3, 2}, {0, 2}, {2, 5}, {2, 7}, {0, 3}, {0, 0}},
    },
};

} // namespace

GameApp::GameApp()
{
    gApp = this;
    title = "Frothwick";
    productVersion = "1.00";
    windowCaption = title + " - " + productVersion;
    registryKey = "Tamsery Games\\Frothwick";
    ChooseFirstRunScreenMode();
    profiles = PlayerProfiles(ProfileFile(Game::ProfilesPath()));
    profiles.sayFailure = [this](const std::string& message)
    { ShowMessageBox(message, title, Framework::MB_OK | Framework::MB_ICONERROR); };
    width = 800;
    height = 600;
    refreshPacing = true;
    // The face name is GBK text ("SimSun" in Chinese), as the settings keep it.
    systemFontBold = std::make_unique<Framework::TextureFont>("\xCB\xCE\xCC\xE5", 10, true, false, false, 1);
    shotsUntilPushDown = Game::ShotsPerPushDown;
    TimeManager::Instance()->Init();
    stageOver = false;
    world = Game::WorldEarth;
    wallBurst = false;
    fadeWidget = std::make_shared<FadeWidget>(this);
    fadeWidget->Move(0, 0);
    musicTable = {{
        {Songs::Ice, Songs::PurpleMoon, Songs::Wind, Songs::Dream, Songs::Fire, Songs::Phantom},
        {Songs::Fire, Songs::Phantom, Songs::Dream, Songs::Wind, Songs::PurpleMoon, Songs::Ice},
        {Songs::PurpleMoon, Songs::Wind, Songs::Dream, Songs::Fire, Songs::Phantom, Songs::Ice},
        {Songs::Wind, Songs::Dream, Songs::Fire, Songs::Phantom, Songs::Ice, Songs::PurpleMoon},
    }};
    stageCounter = 0;
    songDelay = 0;
    highScoreRank = -1;
    windCloudActive = false;
    pendingSong = -1;
}

GameApp::~GameApp()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    WriteInteger("Leave", static_cast<int32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count()));
    TimeManager::Instance()->Fini();
    // A loading thread still at work would load into the groups freed below:
    // it stops at its next resource once the application is shutting down.
    StopApplication();
    WaitForLoadingThread();
    if (widgetManager)
    {
        widgetManager->RemoveAllChildren();
        if (loadScreen)
        {
            widgetManager->RemoveWidget(loadScreen.get());
        }
    }
    loadScreen.reset();
    systemFontBold.reset();
    for (const char* group : {"Init", "LoadScreen", "Media", "Game"})
    {
        resourceManager->FreeGroup(group);
    }
    ResetResourceVariables();
    profiles.players.clear();
    gameOverEffect.reset();
    exitDialog.reset();
    warningDialog.reset();
    board.reset();
    menuBackground.reset();
    fadeWidget.reset();
    playerScreens.reset();
    StopApplication();
    if (gApp == this)
    {
        gApp = nullptr;
    }
}

void GameApp::ChooseFirstRunScreenMode()
{
    if (!SettingsExist())
    {
        windowed = false;
    }
}

void GameApp::QuitSignalHook(int)
{
    SaveCurrentPlayer();
    StopApplication();
}

int32_t GameApp::CurrentMinute() const
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<int32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count() / 60);
}

// --- start-up ---

void GameApp::BeforeRandomSeedHook()
{
    PlaySeed::SeedAll(PlaySeed::Choose());
}

void GameApp::Initialise()
{
    AppBase::Initialise();
    if (shutdown)
    {
        return;
    }
    if (!resourceManager->ReadManifest(manifestPath))
    {
        ShowErrorBox(resourceManager->ErrorText());
        ExitProcess(0);
    }
    if (!LoadStartGroups())
    {
        FailStart();
        return;
    }
    loadScreen = std::make_unique<LoadScreen>(this);
    loadScreen->Resize(0, 0, width, height);
    loadScreen->CreateContinueLink();
    widgetManager->AddWidget(loadScreen.get());
    widgetManager->SetFocus(loadScreen.get());
    loadTotal = resourceManager->CountResources("Game");
}

bool GameApp::LoadStartGroups()
{
    return resourceManager->LoadGroup("Init") && BindInitResources(*resourceManager) &&
           resourceManager->LoadGroup("LoadScreen") && BindLoadScreenResources(*resourceManager) &&
           resourceManager->LoadGroup("Media") && BindMediaResources(*resourceManager);
}

void GameApp::FailStart()
{
    loadingFailed = true;
    ShowErrorBox(resourceManager->ErrorText());
    ExitProcess(0);
}

void GameApp::LoadInBackground()
{
    resourceManager->BeginGroupLoad("Game");
    while (resourceManager->LoadStep())
    {
        ++loadDone;
        if (shutdown)
        {
            return;
        }
        // The loading screen redraws itself every update; the widget tree
        // belongs to the main thread and is not touched from here.
    }
    if (!resourceManager->HasFailed() && BindGameResources(*resourceManager))
    {
        SetCustomCursorImage(0, IMAGE_CUSTOM_POINTER);
        SetCustomCursorImage(1, IMAGE_CUSTOM_HAND);
        SetCustomCursorImage(2, IMAGE_CUSTOM_DRAGGING);
        SetCustomCursorImage(3, IMAGE_CUSTOM_TEXT);
        SetCustomCursors(true);
        return;
    }
    // The message box waits for the main thread, which keeps running.
    ShowMessageBox(resourceManager->ErrorText(), "FATAL ERROR", Framework::MB_OK | Framework::MB_ICONERROR);
    loadingFailed = true;
}

void GameApp::OnBackgroundLoadDone()
{
    if (loadingFailed)
    {
        return;
    }
    if (loadScreen)
    {
        loadScreen->MarkLoadComplete();
    }
    if (musicInterface)
    {
        for (const SongFile& song : songFiles)
        {
            musicInterface->LoadSong(song.id, song.path);
        }
    }
}

// --- the loop ---

void GameApp::Tick()
{
    if (splash)
    {
        splash.reset(); // the first loop steps end the start-up picture
    }
    if (exitAfterTicks > 0 && updateCount >= exitAfterTicks)
    {
        StopApplication();
        return;
    }
    if (!paused)
    {
        AppBase::Tick();
    }
    if (pendingSong != -1 && ++songDelay > SongDelayTicks)
    {
        if (musicInterface)
        {
            musicInterface->StopAllSongs();
            musicInterface->FadeInSong(pendingSong, 0, StageFadeSpeed, false);
        }
        pendingSong = -1;
        songDelay = 0;
    }
}

bool GameApp::TickSmooth(double fraction)
{
    if (paused || !refreshPacing || !widgetManager)
    {
        return false;
    }
    return widgetManager->RunSmoothUpdatePass(fraction);
}

// --- screens ---

void GameApp::ShowMainScreen()
{
    if (mainScreenBuilt)
    {
        return;
    }
    mainScreenBuilt = true;
    if (statsOutput)
    {
        std::fprintf(stderr, "Main Screen Time: %d\n", static_cast<int>(clock->NowMs() - StartTimeMs()));
    }
    LoadPlayers();
    // The high-score tables are read here once the records file exists.
    playerScreens = std::make_unique<PlayerScreens>(*this);
    auto menuPanels = std::make_shared<MenuPanels>(this);
    playerScreens->Attach(*menuPanels);
    menuBackground = menuPanels;
    InstallDragBand();
    ShowMainMenu(0, false);
}

void GameApp::InstallDragBand()
{
    SetWindowDragBand(26, 720, 797);
}

void GameApp::ShowMainMenu(int32_t panel, bool fade)
{
    if (!menuBackground)
    {
        return;
    }
    menuBackground->Resize(0, 0, 800, 600);
    menuBackground->SwitchToPanel(panel, fade);
    // The settings dialog's sliders take the volumes here once it exists.
    widgetManager->RemoveAllChildren();
    widgetManager->AddWidget(menuBackground.get());
    widgetManager->SetFocus(menuBackground.get());
    if (musicInterface)
    {
        musicInterface->StopAllSongs();
        musicInterface->FadeInSong(Songs::MainScreen, -1, MainScreenFadeSpeed, false);
    }
    stageCounter = 0;
    songDelay = 0;
    pendingSong = -1;
}

void GameApp::StartGame()
{
    score = 0;
    displayedScore = 0;
    if (board)
    {
        widgetManager->RemoveWidget(board.get());
    }
    board = std::make_shared<Board>(this);
    board->Resize(0, 0, 800, 600);
    board->SetWorld(world);
    // The board's settings dialog takes the volumes here once it exists.
    shotsUntilPushDown = Game::ShotsPerPushDown;
    widgetManager->RemoveAllChildren();
    widgetManager->AddWidget(board.get());
    widgetManager->SetFocus(board.get());
    PlayStageMusic(-1);
    songDelay = 0;
}

void GameApp::ShowExitDialog()
{
    if (exitDialog)
    {
        exitDialog->Show();
    }
}

void GameApp::ShowWarning(int32_t kind)
{
    if (warningDialog)
    {
        warningDialog->Show(kind);
    }
}

void GameApp::ReleaseGameEffects()
{
    // The running sprite animations join here once they exist.
    Lumora::ParticleSystemManager::Release();
}

void GameApp::MinimiseWindow()
{
    if (platform)
    {
        platform->MinimiseMainWindow();
    }
}

void GameApp::ToggleScreenMode()
{
    if (windowed)
    {
        SetScreenMode(false, is3D, false);
        return;
    }
    // -1 means "never placed": the window is then centred, not cornered.
    if (preferredX != -1)
    {
        preferredX = std::max(preferredX, 0);
        preferredY = std::max(preferredY, 0);
    }
    SetScreenMode(true, is3D, false);
    InstallDragBand();
}

void GameApp::CloseRequestHook()
{
    // Closing the window asks as the menu's quit does; without the exit
    // dialog it quits at once through the fade.
    if (exitDialog)
    {
        ShowExitDialog();
    }
    else
    {
        BeginQuit();
    }
}

void GameApp::BeginQuit()
{
    if (widgetManager && fadeWidget && !widgetManager->HasWidget(fadeWidget.get()))
    {
        widgetManager->AddWidget(fadeWidget.get());
    }
}

// --- stage state ---

void GameApp::ResetStage()
{
    if (mode == Game::ModeQuest || !lastStageWon)
    {
        score = 0;
        displayedScore = 0;
    }
    StampStageStart();
    windCloudActive = false;
    wallBurst = false;
    stageOver = false;
    shotsUntilPushDown = Game::ShotsPerPushDown;
    // The game-over effect is told to reset here once it exists.
    highScoreRank = -1;
}

void GameApp::StampStageStart()
{
    stageStartMinute = CurrentMinute();
}

int32_t GameApp::RotationSong() const
{
    if (world < 1 || world > 4)
    {
        return -1;
    }
    const int32_t position = ((stageCounter % 6) + 6) % 6;
    return musicTable[world - 1][position];
}

void GameApp::PlayStageMusic(int32_t song)
{
    if (song == -1)
    {
        if (musicInterface)
        {
            musicInterface->FadeOutAllSongs(true, StageFadeSpeed);
        }
        pendingSong = RotationSong();
        songDelay = 0;
        return;
    }
    if (musicInterface)
    {
        musicInterface->StopAllSongs();
        musicInterface->PlaySong(song, 0, true);
    }
}

void GameApp::EndStage(bool won)
{
    if (stageOver)
    {
        return;
    }
    stageOver = true;
    lastStageWon = won;
    windCloudActive = false;
    PlayStageMusic(won ? Songs::LevelComplete : Songs::LevelFailed);
    StopWindLoop();
}

void GameApp::StartWindLoop()
{
    if (musicInterface)
    {
        musicInterface->PlaySong(Songs::WindCloud, 0, false);
    }
}

void GameApp::StopWindLoop()
{
    if (musicInterface)
    {
        musicInterface->StopSong(Songs::WindCloud);
    }
}

void GameApp::StageReached(int32_t reachedStageId)
{
    const int32_t n = reachedStageId % 10000;
    if (n >= 0 && n < 16)
    {
        stageId = reachedStageId;
        if (world >= 1 && world <= 4)
        {
            profiles.StageReached(world, n);
        }
    }
    else
    {
        stageId = reachedStageId - n;
    }
    // The stage tip for stageId % 10000 is shown here once the animations exist.
}

void GameApp::ConfigureObstacles()
{
    int32_t table = -1;
    if (mode == Game::ModeArcade)
    {
        table = 0;
    }
    else if (mode == Game::ModeTime)
    {
        table = 1;
    }
    if (table < 0 || difficulty < 0 || difficulty > 3)
    {
        return;
    }
    for (int32_t i = 0; i < ObstacleKinds; ++i)
    {
        const CountRule& rule = obstacleRules[table][difficulty][i];
        obstacleCounts[i] = rule.range > 0 ? RuntimeRandom::Global().Next() % rule.range + rule.base : rule.base;
    }
}

int32_t GameApp::ObstacleCount(int32_t index) const
{
    return index >= 0 && index < ObstacleKinds ? obstacleCounts[index] : 0;
}

std::string GameApp::ModeName() const
{
    switch (mode)
    {
        case Game::ModeQuest:
            return "Quest";
        case Game::ModeTime:
            return "Time";
        default:
            return "Arcade";
    }
}

std::string GameApp::DifficultyName() const
{
    switch (difficulty)
    {
        case Game::Normal:
            return "normal";
        case Game::Hard:
            return "hard";
        case Game::Expert:
            return "expert";
        default:
            return "easy";
    }
}

int32_t GameApp::ColourCount() const
{
    switch (difficulty)
    {
        case Game::Normal:
            return 5;
        case Game::Hard:
        case Game::Expert:
            return 6;
        default:
            return 4;
    }
}
