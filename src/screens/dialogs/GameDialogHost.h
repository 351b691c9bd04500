// GameDialogHost: what the game screen's bars and dialogs ask of the
// program around them -- everything the player screens ask (the
// application with its widget manager, volumes and screen mode, the
// profiles, the warning dialog, the pause holds) and the game in play: its
// state and stage operations, the way back to the menu, the exit dialog and
// the high-score tables. The running game answers it; tests give a
// recording fake. Main thread only; the host outlives every dialog.
#pragma once

#include <cstdint>

#include "src/screens/players/PlayerScreenHost.h"

class HighScoreTables;
class PlayHost;

class GameDialogHost : public PlayerScreenHost
{
public:
    // The game in play: state, ResetStage, StageReached, the stage trace.
    virtual PlayHost& Play() = 0;
    // song -1: the stage-music rotation; another id: that jingle once.
    virtual void PlayStageMusic(int32_t song) = 0;
    // panel: one of Panels.
    virtual void ShowMainMenu(int32_t panel, bool fade) = 0;
    virtual void ShowExitDialog() = 0;
    virtual HighScoreTables& HighScores() = 0;
};
