// FadeWidget: the fade to black that ends the program. Added on top of
// everything by GameApp::BeginQuit; its alpha rises by 3 per update and,
// once it passes 255, the current player is saved and the application
// stopped (once, however many updates still arrive).
#pragma once

#include <cstdint>

#include "framework/widgets/Widget.h"

class GameApp;

class FadeWidget : public Framework::Widget
{
public:
    explicit FadeWidget(GameApp* application);

    void Update() override;
    void Draw(Framework::Graphics* g) override;

    int32_t alpha = 0;
    bool finished = false;

private:
    GameApp* app;
};
