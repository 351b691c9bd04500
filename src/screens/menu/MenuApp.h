// MenuApp: what the menu background asks of the application around it --
// the game state and screen switches its panels pass on, the window buttons'
// operations, and the release of the effects of a game being left. GameApp
// answers it; the menu background only references it. Main thread only.
#pragma once

#include <cstdint>

#include "src/screens/common/ButtonFeedback.h"

class MenuApp : public FeedbackSink
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
    // panel: one of Panels.
    virtual void ShowMainMenu(int32_t panel, bool fade) = 0;
    virtual void ShowExitDialog() = 0;
    virtual void SetPaused(bool paused) = 0;
    virtual void ResetStage() = 0;
    // Drops the particle systems and the running sprite animations of the
    // game being left.
    virtual void ReleaseGameEffects() = 0;

    // --- the window buttons ---
    virtual void MinimiseWindow() = 0;
    // Full screen from a window; from full screen a window at the stored
    // position, moved into the screen.
    virtual void ToggleScreenMode() = 0;
};
