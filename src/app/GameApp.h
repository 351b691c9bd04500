// GameApp: the game's application object. It loads the resource groups in
// order ("Init", "LoadScreen" and "Media" in Initialise, "Game" on the
// loading thread; StartBehindSplash does both while the start-up picture
// shows), builds the main screen once, starts games, holds the state of
// the game being played, chooses the music per screen and world, and shuts
// down in a fixed order.
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
// Seams for the parts that join later: the exit and warning dialogs stay
// null until their screens exist; ShowExitDialog and ShowWarning skip them
// while they are null. The game-over banner is made with the application
// (done until a stage ends); StageReached lists the stage tip. The menu
// background and the board are the screens' common bases, which the menus
// and the play field extend.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/app/AppBase.h"
#include "framework/widgets/DialogListener.h"
#include "src/core/GameTypes.h"
#include "src/core/PlayHost.h"
#include "src/screens/menu/MenuApp.h"
#include "src/profiles/PlayerProfiles.h"
#include "src/records/HighScoreTables.h"

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

class GameApp;
extern GameApp* gApp;

// The game in play is GameApp's own PlayState (gApp->score and the like), and
// GameApp answers PlayHost for the sprites, effects and in-game screens, and
// MenuApp for the menu background.
class GameApp : public Framework::AppBase,
                public Framework::DialogListener,
                public PlayState,
                public PlayHost,
                public MenuApp
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

    // --- high scores (read at the main screen, Game::RecordsPath()) ---
    HighScoreTables highScoreTables;

    // --- the game in play (the rest is PlayState) ---
    std::array<int32_t, ObstacleKinds> obstacleCounts{};

    // --- music ---
    std::array<std::array<int32_t, 6>, 4> musicTable{};
    int32_t pendingSong = -1;
    int32_t songDelay = 0;

    // --- application hooks ---
    void Initialise() override;
    // Start-up behind the start-up picture: Initialise, then the loading
    // thread for "Game", then the rest of minimumMs since shownAtMs (the
    // clock's time when the picture appeared), serving the loading thread's
    // requests meanwhile. A failure ends as Initialise and the loader end it.
    void StartBehindSplash(uint32_t shownAtMs, uint32_t minimumMs);
    void LoadInBackground() override;
    void OnBackgroundLoadDone() override;
    void Tick() override;
    bool TickSmooth(double fraction) override;

    // --- screens ---
    void ShowMainScreen();
    // panel: one of Panels.
    void ShowMainMenu(int32_t panel, bool fade) override;
    void StartGame() override;
    void ShowExitDialog() override;
    // kind: one of Warnings.
    void ShowWarning(int32_t kind);
    void BeginQuit();
    // The window can be dragged by its top 26 rows, except over the title
    // bar's buttons (x 720 to 796). Made again after every new window.
    void InstallDragBand();

    // --- PlayHost ---
    using PlayHost::State;
    PlayState& State() override { return *this; }
    using AppBase::PlaySound;
    void PlaySound(int32_t soundId) override { AppBase::PlaySound(soundId); }
    void SetCursor(int32_t cursor) override { AppBase::SetCursor(cursor); }
    int32_t ObstacleCount(int32_t index) const override;
    std::string PlayerName() const override;
    Framework::Image* AvatarImage() const override { return avatarImage; }
    int32_t SystemFontBoldWidth(const std::string& text) const override;
    // "trace: stage start M S" and "trace: push-down" with the input trace.
    void TraceStageStart() override;
    void TracePushDown() override;

    // --- MenuApp ---
    void ReleaseGameEffects() override;
    void MinimiseWindow() override;
    // Back to a window, the drag band is made again.
    void ToggleScreenMode() override;

    // --- stage state ---
    void ResetStage() override;
    // song -1: the stage-music rotation; otherwise a jingle played once.
    void PlayStageMusic(int32_t song) override;
    void StageReached(int32_t reachedStageId) override;
    // Ends the current stage once (a second end of the same stage is
    // ignored): the jingle with the wind loop stopped, the time bonus (asked
    // at every end, added for a win, the score kept at 0 or more), the flags,
    // a new closing banner in place of the last, and the record offered to
    // the mode's table (score 1 or more, not for a lost quest stage) and
    // saved when it took a place.
    void EndStage(bool won) override;
    void ConfigureObstacles() override;
    void StampStageStart() override;
    // The wind cloud's loop.
    void StartWindLoop() override;
    void StopWindLoop() override;

    std::string ModeName() const;
    std::string DifficultyName() const;
    int32_t ColourCount() const override;
    int32_t WorldProgress() const override { return profiles.WorldProgress(world); }

    // "trace: paused 1" and "trace: paused 0" as it changes, with the input
    // trace.
    void SetPaused(bool on) override;
    bool IsPaused() const { return paused; }
    void SetGameMode(int32_t value) override { mode = value; }
    int32_t GetGameMode() const override { return mode; }
    void SetDifficulty(int32_t value) override { difficulty = value; }
    int32_t GetDifficulty() const { return difficulty; }
    void SetWorld(int32_t value) override { world = value; }
    int32_t GetWorld() const override { return world; }
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

    // --- high scores ---
    // Writes the tables to Game::RecordsPath(); a failure is said once per
    // run in the same box as the players' save failure. True when written.
    bool SaveRecords();

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
    // One seed for every generator the game draws from: FROTHWICK_SEED, else
    // the system clock's microseconds (PlaySeed).
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

    // --- demos (GameAppDemo.cpp) ---
    // Mode, stage, score, the CRC-32 of the cell kinds, the shot and the next
    // bubble of the field in play (zeros without one).
    bool DemoCheckpointState(Framework::DemoCheckpoint& checkpoint) override;
    // Once at each stage end.
    bool DemoCheckpointDue() override;
    // The design script, the manifest and the stage files.
    std::vector<std::string> DemoDataFiles() override;
    // "data/usr.dat" and "data/game.dat" as they are at start, and the
    // names of the user's avatar pictures.
    void DemoRecordStartState(std::vector<Framework::DemoState>& state) override;
    // The players and high scores of the recording in the playback's scratch
    // folder, which becomes the user's data folder for the run.
    bool DemoRestoreStartState(const Framework::DemoHeader& header, const std::filesystem::path& scratch,
                               std::string& error) override;
    bool demoStageOver = false;
    // Milliseconds of game time: the timer manager's clock. It advances with
    // every smooth update while the game runs, so a push-down falls on the
    // same update however the loop was paced.
    double gameTimeMs = 0;

private:
    // --- music (GameAppMusic.cpp) ---
    // The songs into the music interface once "Game" has loaded.
    void LoadSongs();
    // The main screen's song; the stage rotation starts over.
    void PlayMainScreenMusic();
    // A pending stage song fades in once its delay has passed.
    void TickMusic();

    // The error box of a failed save of the player's files (players, high
    // scores); each kind of file says its failure once per run.
    void SaySaveFailure(const std::string& message);

    bool mainScreenBuilt = false;
    bool recordsFailureSaid = false;
};
