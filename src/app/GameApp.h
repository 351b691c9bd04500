// GameApp: the game's application object. It loads the resource groups in
// order ("Init", "LoadScreen" and "Media" in Initialise, "Game" on the
// loading thread behind the loading screen), builds the main screen once,
// starts games, holds the state of the game being played, chooses the music
// per screen and world, and shuts down in a fixed order.
//
// Lifetime: exactly one instance; gApp points to it from construction to
// destruction. The loading screen, the fade widget, the menu background and
// the board belong to it; the widget tree only references them.
//
// Threads: everything runs on the main thread except LoadInBackground (the
// loading thread), which touches only the resource manager, the load
// counters, the loading screen's dirty mark, the cursor images and
// loadingFailed.
//
// Seams for the parts that join later: the exit and warning dialogs, the
// game-over effect and the stage tip stay null until their screens and
// animations exist; ShowExitDialog, ShowWarning, ResetStage and StageReached
// skip them while they are null. The menu background and the board are the
// screens' common bases, which the menus and the play field extend.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/app/AppBase.h"
#include "framework/widgets/DialogListener.h"
#include "src/profiles/PlayerProfiles.h"

namespace Framework
{
class Image;
class SplashWindow;
class TextureFont;
} // namespace Framework

class Board;
class ExitDialog;
class FadeWidget;
class GameOverEffect;
class LoadScreen;
class MenuBackground;
class PlayerScreens;
class WarningDialog;

// Song ids of the music interface.
namespace Songs
{
constexpr int32_t WindCloud = 1000;
constexpr int32_t MainScreen = 10001;
constexpr int32_t Dream = 10002;
constexpr int32_t Fire = 10003;
constexpr int32_t Ice = 10004;
constexpr int32_t Phantom = 10005;
constexpr int32_t PurpleMoon = 10006;
constexpr int32_t Wind = 10007;
constexpr int32_t LevelComplete = 10008;
constexpr int32_t LevelFailed = 10009;
} // namespace Songs

// Game modes, difficulties and worlds.
namespace Game
{
constexpr int32_t ModeArcade = 100;
constexpr int32_t ModeQuest = 101;
constexpr int32_t ModeTime = 102;
constexpr int32_t Easy = 0;
constexpr int32_t Normal = 1;
constexpr int32_t Hard = 2;
constexpr int32_t Expert = 3;
constexpr int32_t WorldWater = 1;
constexpr int32_t WorldFire = 2;
constexpr int32_t WorldEarth = 3;
constexpr int32_t WorldAir = 4;
} // namespace Game

// Indices of GameApp::obstacleCounts.
enum ObstacleIndex : int32_t
{
    ObstacleLock,
    ObstacleBomb,
    ObstacleWall,
    ObstacleWindCloud,
    ObstacleTornado,
    ObstacleFlame,
    ObstacleLava,
    ObstacleSnowman,
    ObstacleWaterHole,
    ObstaclePlant,
    ObstacleMushroom,
    ObstacleKinds
};

class GameApp;
extern GameApp* gApp;

class GameApp : public Framework::AppBase, public Framework::DialogListener
{
public:
    // Ticks a new stage song waits before it fades in (the old one has faded
    // out by then).
    static constexpr int32_t SongDelayTicks = 210;
    static constexpr int32_t FirstSongWorld = 1;

    GameApp();
    ~GameApp() override;

    // --- screens and dialogs ---
    std::unique_ptr<LoadScreen> loadScreen;
    std::shared_ptr<ExitDialog> exitDialog;
    std::shared_ptr<WarningDialog> warningDialog;
    std::shared_ptr<FadeWidget> fadeWidget;
    std::shared_ptr<Board> board;
    std::shared_ptr<MenuBackground> menuBackground;
    // The player selector and creation dialog with the host of all player
    // screens; made with the main screen, it makes the exit and warning dialogs.
    std::unique_ptr<PlayerScreens> playerScreens;
    std::unique_ptr<Framework::TextureFont> systemFontBold;
    std::shared_ptr<GameOverEffect> gameOverEffect;

    // --- players (players, currentPlayer and the file) ---
    PlayerProfiles profiles;
    Framework::Image* avatarImage = nullptr;

    // --- the game in play ---
    int32_t displayedScore = 0;
    int32_t score = 0;
    bool windCloudActive = false;
    int32_t stageStartMinute = 0;
    bool paused = false;
    bool lastStageWon = false;
    bool stageOver = false;
    bool wallBurst = false;
    int32_t mode = Game::ModeArcade;
    int32_t difficulty = Game::Easy;
    int32_t world = Game::WorldEarth;
    int32_t stageId = 0;
    int32_t highScoreRank = -1;
    int32_t shotsUntilPushDown = 6;
    std::array<int32_t, ObstacleKinds> obstacleCounts{};

    // --- music ---
    std::array<std::array<int32_t, 6>, 4> musicTable{};
    int32_t stageCounter = 0;
    int32_t pendingSong = -1;
    int32_t songDelay = 0;

    // --- application hooks ---
    void Initialise() override;
    void LoadInBackground() override;
    void OnBackgroundLoadDone() override;
    void Tick() override;
    bool TickSmooth(double fraction) override;

    // --- screens ---
    void ShowMainScreen();
    // panel: 0 player selector, 1 main menu, 2 difficulty, 3 world selector.
    void ShowMainMenu(int32_t panel, bool fade);
    void StartGame();
    void ShowExitDialog();
    // kind: 0 the name exists already, 1 the name is empty, 2 no player yet.
    void ShowWarning(int32_t kind);
    void BeginQuit();
    // The window can be dragged by its top 26 rows, except over the title
    // bar's buttons (x 720 to 796). Made again after every new window.
    void InstallDragBand();

    // --- stage state ---
    void ResetStage();
    // song -1: the stage-music rotation; otherwise a jingle played once.
    void PlayStageMusic(int32_t song);
    void StageReached(int32_t reachedStageId);
    // Ends the current stage once (a second end of the same stage is
    // ignored): the flags, the jingle, and the wind loop stopped. The time
    // bonus and the high-score entry join with the stage flow.
    void EndStage(bool won);
    void ConfigureObstacles();
    void StampStageStart();
    // The wind cloud's loop.
    void StartWindLoop();
    void StopWindLoop();

    std::string ModeName() const;
    std::string DifficultyName() const;
    int32_t ColourCount() const;
    int32_t WorldProgress() const { return profiles.WorldProgress(world); }

    void SetPaused(bool on) { paused = on; }
    bool IsPaused() const { return paused; }
    void SetGameMode(int32_t value) { mode = value; }
    int32_t GetGameMode() const { return mode; }
    void SetDifficulty(int32_t value) { difficulty = value; }
    int32_t GetDifficulty() const { return difficulty; }
    void SetWorld(int32_t value) { world = value; }
    int32_t GetWorld() const { return world; }
    int32_t GetStage() const { return stageId; }
    void SetWallBurst(bool on) { wallBurst = on; }
    bool GetWallBurst() const { return wallBurst; }
    bool GetLastStageWon() const { return lastStageWon; }
    bool GetStageOver() const { return stageOver; }
    PlayerRecord CurrentPlayer() const { return profiles.currentPlayer; }

    // --- players ---
    bool AddPlayer(const PlayerRecord& record) { return profiles.AddPlayer(record); }
    void SetCurrentPlayer(const PlayerRecord& record) { profiles.SetCurrentPlayer(record); }
    void SaveCurrentPlayer() { profiles.SaveCurrentPlayer(); }
    void LoadPlayers() { profiles.LoadPlayers(); }

    // First run (no settings key yet) starts full screen.
    void ChooseFirstRunScreenMode();
    // The stage song of the rotation for the current world, or -1 for a
    // world outside 1 to 4.
    int32_t RotationSong() const;
    // Minutes since 1970 now; tests replace it.
    virtual int32_t CurrentMinute() const;

    // The manifest the game reads, relative to the working directory.
    std::string manifestPath = "properties/resources.xml";
    // The start-up picture; closed by the first update tick.
    std::unique_ptr<Framework::SplashWindow> splash;
    // Above 0: the application stops in order after that many updates
    // (automated runs).
    int32_t exitAfterTicks = 0;

protected:
    // The game draws its chances from the runtime generator, seeded with the
    // same start time as the C library's.
    void BeforeRandomSeedHook() override;
    // Closing the window quits as the menu does.
    void CloseRequestHook() override;
    // A logout or Ctrl+C: the current player and the settings are saved and
    // the program leaves at once, without the exit dialog or the fade.
    void QuitSignalHook(int signal) override;
    // The groups "Init", "LoadScreen" and "Media" with their binding; false
    // with the manager's error text pending.
    bool LoadStartGroups();
    void FailStart();

private:
    bool mainScreenBuilt = false;
};
