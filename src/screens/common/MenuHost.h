// MenuHost: what the selection screens and the change-mode dialog ask of the
// program around them -- the game state and screen switches of the
// application object, and the panel switches of the menu background. The
// running game answers through one adapter over both; tests give a
// recording fake. Main thread only.
#pragma once

#include <cstdint>

#include "src/core/GameTypes.h"
#include "src/screens/common/ButtonFeedback.h"

// The game state and screen switches of the application that every menu
// screen passes on; the menu background asks the same of the application.
class MenuGameHost : public FeedbackSink
{
public:
    virtual void SetGameMode(int32_t mode) = 0;
    virtual int32_t GetGameMode() const = 0;
    virtual void SetDifficulty(int32_t difficulty) = 0;
    virtual void SetWorld(int32_t world) = 0;
    virtual int32_t GetWorld() const = 0;
    // The current player's quest progress in the current world.
    virtual int32_t WorldProgress() const = 0;
    virtual void StageReached(int32_t stageId) = 0;
    virtual void StartGame() = 0;
    virtual void ShowMainMenu(int32_t panel, bool fade) = 0;
    virtual void ShowExitDialog() = 0;
    virtual void SetPaused(bool paused) = 0;
    virtual void ResetStage() = 0;
    // Drops the particle systems and the running sprite animations of the
    // game being left.
    virtual void ReleaseGameEffects() = 0;
};

class MenuHost : public MenuGameHost
{
public:
    // --- the menu background ---
    // panel: one of Panels.
    virtual void ShowPanel(int32_t panel, bool fade) = 0;
    virtual void ShowSettings() = 0;
    // The world selector's stage chooser, opened for the current world.
    virtual void ResetStageChooser() = 0;
};
