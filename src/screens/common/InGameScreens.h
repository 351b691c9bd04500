// InGameScreens: the screens the play field opens over itself -- the
// high-score, congratulation, help and settings dialogs, the change-mode
// dialog and the pause overlay. The game screen makes them (the play field
// sits below the dialogs it shows) and answers this for the field; each
// opening holds the game paused until its screen closes. Main thread only;
// the game screen outlives its field's use of it.
#pragma once

#include <cstdint>

class InGameScreens
{
public:
    // rank: the place to mark, -1 for none; atStageEnd: the end-of-game
    // buttons instead of BACK.
    virtual void ShowHighScores(int32_t rank, bool atStageEnd) = 0;
    virtual void ShowCongratulation() = 0;
    // Nothing while the help shows.
    virtual void ShowHelp() = 0;
    virtual void ShowSettings() = 0;
    virtual void ShowChangeMode() = 0;
    // The pause overlay over the board.
    virtual void ShowPause() = 0;

protected:
    ~InGameScreens() = default;
};
