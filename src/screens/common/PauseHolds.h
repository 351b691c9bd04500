// PauseHolds: who keeps the game paused. Every screen that pauses a running
// game (the pause overlay, the help, the in-game dialogs, the exit dialog
// over a game) holds it under its own key; the game runs again only when
// the last holder lets go, so closing one of two stacked screens leaves the
// game paused under the other.
//
// Outside a game (Begin not called, or End since) holding does nothing: the
// menus never pause. apply receives every change of the paused flag and
// must outlive this object. Main thread only.
#pragma once

#include <functional>
#include <vector>

class PauseHolds
{
public:
    explicit PauseHolds(std::function<void(bool paused)> applyPaused);

    // A game starts: nobody holds it, it runs.
    void Begin();
    // The game is left: nobody holds it, it runs, and holding does nothing
    // until the next Begin.
    void End();
    // Pauses the game (once per holder).
    void Hold(const void* holder);
    // The holder lets go; the game runs again when nobody holds it any more.
    // A key that holds nothing changes nothing.
    void Release(const void* holder);
    // Every holder lets go (the quit fade must run).
    void ReleaseAll();

    bool IsHeldBy(const void* holder) const;
    bool IsHeld() const { return !holders.empty(); }
    bool InGame() const { return inGame; }

private:
    std::function<void(bool)> apply;
    std::vector<const void*> holders;
    bool inGame = false;
};
