#include "src/app/GameApp.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "external/timer/TimeManager.h"
#include "external/util/RuntimeRandom.h"
#include "framework/app/CursorHotSpots.h"
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
#include "src/effects/PlayFieldServices.h"
#include "src/effects/SpriteAnimation.h"
#include "src/effects/StageEffects.h"
#include "src/play/PlaySeed.h"
#include "src/screens/dialogs/WarningDialog.h"

GameApp* gApp = nullptr;

GameApp::GameApp()
{
    gApp = this;
    title = "Frothwick";
    productVersion = "1.00";
    windowCaption = title + " - " + productVersion;
    registryKey = "Tamsery Games\\Frothwick";
    ChooseFirstRunScreenMode();
    profiles = PlayerProfiles(ProfileFile(Game::ProfilesPath()));
    profiles.sayFailure = [this](const std::string& message) { SaySaveFailure(message); };
    width = 800;
    height = 600;
    refreshPacing = true;
    // The face name is GBK text ("SimSun" in Chinese), as the settings keep it.
    systemFontBold = std::make_unique<Framework::TextureFont>("\xCB\xCE\xCC\xE5", 10, true, false, false, 1);
    shotsUntilPushDown = Game::ShotsPerPushDown;
    TimeManager::Instance()->Init();
    // Timed push-downs follow game time, not the system's clock.
    TimeManager::Instance()->SetClock(
        [this]
        {
            const auto ms = static_cast<int64_t>(gameTimeMs);
            return ACE_Time_Value(static_cast<time_t>(ms / 1000), static_cast<suseconds_t>(ms % 1000 * 1000));
        });
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
    // Without a field the banner is done at its first draw.
    gameOverEffect = std::make_shared<GameOverEffect>(*this, std::weak_ptr<PlayFieldServices>(), false);
    windCloudActive = false;
    pendingSong = -1;
}

GameApp::~GameApp()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    WriteInteger("Leave", static_cast<int32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count()));
    TimeManager::Instance()->SetClock({});
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
    SpriteAnimationManager::Release();
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
    const auto minute = std::chrono::duration_cast<std::chrono::seconds>(now).count() / 60;
    // A demo keeps the minute (recording) or gives the recorded one (playback).
    return static_cast<int32_t>(
        const_cast<GameApp*>(this)->DemoAnswerValue(Framework::DemoAnswer::Minute, static_cast<int32_t>(minute)));
}

// --- high scores ---

bool GameApp::SaveRecords()
{
    const std::filesystem::path path = Game::RecordsPath();
    if (highScoreTables.SaveRecords(path))
    {
        return true;
    }
    if (!recordsFailureSaid)
    {
        recordsFailureSaid = true;
        std::error_code ec;
        const std::filesystem::path shown = std::filesystem::absolute(path, ec);
        SaySaveFailure("Frothwick could not save the high scores to " + (ec ? path : shown).string() + ": " +
                       highScoreTables.LastError());
    }
    return false;
}

void GameApp::SaySaveFailure(const std::string& message)
{
    ShowMessageBox(message, title, Framework::MB_OK | Framework::MB_ICONERROR);
}

// --- start-up ---

void GameApp::BeforeRandomSeedHook()
{
    PlaySeed::SeedAll(DemoSeed(PlaySeed::Choose()));
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

void GameApp::StartBehindSplash(uint32_t shownAtMs, uint32_t minimumMs)
{
    Initialise();
    if (shutdown)
    {
        return;
    }
    StartLoadingThread();
    while (!shutdown && !loadingFailed && clock->NowMs() - shownAtMs < minimumMs)
    {
        platform->ProcessRequests();
        clock->SleepMs(std::min<uint32_t>(10, minimumMs - (clock->NowMs() - shownAtMs)));
    }
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
        // The click points come with the art, beside the cursor images.
        Framework::CursorHotSpotTable hotSpots;
        Framework::ReadCursorHotSpots("images/cursor/hotspots.txt", hotSpots);
        const auto setCursor = [&](int32_t number, Framework::Image* image, const char* id)
        {
            const auto spot = hotSpots.find(id);
            const Framework::Point hot = spot != hotSpots.end() ? spot->second : Framework::Point();
            SetCustomCursorImage(number, image, hot.x, hot.y);
        };
        setCursor(0, IMAGE_CUSTOM_POINTER, "CUSTOM_POINTER");
        setCursor(1, IMAGE_CUSTOM_HAND, "CUSTOM_HAND");
        setCursor(2, IMAGE_CUSTOM_DRAGGING, "CUSTOM_DRAGGING");
        setCursor(3, IMAGE_CUSTOM_TEXT, "CUSTOM_TEXT");
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
    LoadSongs();
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
    TickMusic();
}

bool GameApp::TickSmooth(double fraction)
{
    if (paused || !refreshPacing || !widgetManager)
    {
        return false;
    }
    gameTimeMs += fraction * tickMs;
    return widgetManager->RunSmoothUpdatePass(fraction);
}

// --- stage state ---
