// PlayHost: what sprites, effects, the play field and the in-game screens
// ask of the application around them -- its sounds and the wind loop, the
// state of the game in play, and the stage operations. GameApp answers it;
// tests give a fake that owns a PlayState and records the calls. Game code
// below the application includes this header, never GameApp.h.
//
// Main thread only. The host outlives every sprite, effect and screen that
// holds it.
#pragma once

#include <cstdint>
#include <string>

#include "src/core/GameTypes.h"

namespace Framework
{
class Image;
}

// The state of the game in play, kept by the application.
struct PlayState
{
    int32_t mode = Game::ModeArcade;
    int32_t difficulty = Game::Easy;
    int32_t world = Game::WorldEarth;
    int32_t stageId = 0;
    int32_t score = 0;
    // Rolls towards score by 3 per update.
    int32_t displayedScore = 0;
    int32_t stageStartMinute = 0;
    int32_t shotsUntilPushDown = Game::ShotsPerPushDown;
    bool paused = false;
    bool lastStageWon = false;
    bool stageOver = false;
    // Quest: the barrier row has burst.
    bool wallBurst = false;
    // A wind cloud is blowing (its loop plays).
    bool windCloudActive = false;
    int32_t highScoreRank = -1;
    int32_t stageCounter = 0;

    bool IsQuest() const { return mode == Game::ModeQuest; }
};

class PlayHost
{
public:
    virtual PlayState& State() = 0;
    const PlayState& State() const { return const_cast<PlayHost*>(this)->State(); }

    // --- sound ---
    // A sound effect played once at full volume, centre pan.
    virtual void PlaySound(int32_t soundId) = 0;
    // The wind cloud's loop (song 1000).
    virtual void StartWindLoop() = 0;
    virtual void StopWindLoop() = 0;

    // --- stage operations ---
    virtual void ResetStage() = 0;
    virtual void StageReached(int32_t stageId) = 0;
    // Ends the current stage once; a second end of the same stage is ignored.
    virtual void EndStage(bool won) = 0;
    // Fills the obstacle counts for the current mode, difficulty and world.
    virtual void ConfigureObstacles() = 0;
    virtual int32_t ObstacleCount(int32_t index) const = 0;
    // Colours a generated stage deals: 4, 5 or 6 by difficulty.
    virtual int32_t ColourCount() const = 0;
    virtual void StampStageStart() = 0;

    // song -1: the stage-music rotation fades in after its delay; another
    // id: that jingle once.
    virtual void PlayStageMusic(int32_t) {}

    // --- the player on the side panel ---
    // The current player's name (GBK text).
    virtual std::string PlayerName() const { return {}; }
    // The current player's picture; null when there is none.
    virtual Framework::Image* AvatarImage() const { return nullptr; }
    // The text's width in the application's bold system font, which the
    // side panel centres the name by.
    virtual int32_t SystemFontBoldWidth(const std::string&) const { return 0; }

    // --- pointer ---
    // The cursor by number (0 arrow, 1 hand, 2 dragging).
    virtual void SetCursor(int32_t) {}

    // --- traces (the input trace, for tests and scripts) ---
    // A stage has been set up: "trace: stage start M S" (mode, stage id).
    virtual void TraceStageStart() {}
    // The field moved down one row: "trace: push-down".
    virtual void TracePushDown() {}

protected:
    ~PlayHost() = default;
};
