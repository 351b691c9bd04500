// LoadScreen: shown while the group "Game" loads on the loading thread. It
// fades in (alpha +3 per update up to 255), draws the loader artwork with a
// bar that grows with the application's LoadingProgress, and once loading
// is complete and the fade-in has reached full brightness fades out (alpha
// -3 per update) and hands over to the main screen, so a quick load never
// shows as a dim flash. A load already complete before the first update
// (it ran behind the start-up picture) fades in and out five times as fast
// (17 updates each way), so the screen is seen without delaying the game.
// A key press after completion skips the fade-out; before it, keys are
// ignored. The "CLICK TO CONTINUE" link stays hidden and disabled.
//
// Ownership: GameApp owns the screen until it continues; continuing hands
// the screen and its link to the application's deferred deletion and clears
// the application's reference. Main thread only (the loading thread only
// marks it dirty).
#pragma once

#include <cstdint>
#include <memory>

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"

namespace Framework
{
class HyperlinkWidget;
}

class GameApp;

class LoadScreen : public Framework::Widget, public Framework::ButtonListener
{
public:
    static constexpr int32_t ContinueLinkId = 1;

    explicit LoadScreen(GameApp* application);
    ~LoadScreen() override;

    void CreateContinueLink();
    void MarkLoadComplete();

    void AttachedToManager(Framework::WidgetManager* theManager) override;
    void DetachedFromManager(Framework::WidgetManager* theManager) override;
    void Update() override;
    void Draw(Framework::Graphics* g) override;
    void KeyDown(int32_t key) override;
    void ButtonClicked(int32_t id) override;

    // Width in pixels of the loading bar for a progress of 0 to 1.
    static int32_t BarWidth(double progress, int32_t fullWidth);

    GameApp* app;
    Framework::HyperlinkWidget* continueLink = nullptr;
    bool loadComplete = false;
    bool fadingOut = false; // set once alpha reached 255 after completion
    int32_t alpha = 0;
    // Alpha change per update: 3, or 15 when loading was done before the
    // first update.
    int32_t fadeStep = 3;

private:
    // Leaves for the main screen: out of the tree, into deferred deletion.
    void Continue();

    std::unique_ptr<Framework::HyperlinkWidget> ownedLink;
    bool updated = false;
};
