// MenuBackground: the main screen, built once by GameApp::ShowMainScreen and
// shown again by every ShowMainMenu. It draws the menu background with the
// title and the two logos; the player selector, the main menu and the
// selection panels are its children once those screens exist, and
// SwitchToPanel picks which of them shows.
#pragma once

#include <cstdint>

#include "framework/widgets/Widget.h"
#include "src/core/GameTypes.h"

class MenuApp;

class MenuBackground : public Framework::Widget
{
public:
    explicit MenuBackground(MenuApp* application);

    // Shows the panel, fading it in when fade is set.
    virtual void SwitchToPanel(int32_t newPanel, bool fade);
    int32_t GetPanel() const { return panel; }
    bool IsFading() const { return fading; }

    void Draw(Framework::Graphics* g) override;

protected:
    MenuApp* app;
    int32_t panel = Panels::PlayerSelector;
    bool fading = false;
};
