#include "src/screens/game/Board.h"

#include <algorithm>

#include "external/timer/TimeManager.h"
#include "framework/graphics/Graphics.h"
#include "src/core/GameTypes.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/play/GameAreaWidget.h"
#include "src/screens/dialogs/ChangeModeDialog.h"

Board::Board(PlayHost& application, MenuHost* menus) : app(application)
{
    playField = std::make_shared<GameAreaWidget>(app, app.State().IsQuest());
    playField->Move(15, 37);
    if (menus != nullptr)
    {
        auto changeMode = std::make_shared<ChangeModeDialog>(*menus);
        playField->changeModeDialog = changeMode;
        // Modal on the field at (201, 311), the game paused.
        playField->openChangeModeDialog = [dialog = changeMode.get()](GameAreaWidget& field) { dialog->Open(&field); };
    }
    AddWidget(playField.get());
}

Board::~Board()
{
    RemoveAllChildren();
}

void Board::ShowWorldBackground(int32_t world)
{
    if (world >= Game::WorldWater && world <= Game::WorldAir)
    {
        background = WorldBackground(world);
        MarkDirty();
    }
}

Framework::Image* Board::WorldBackground(int32_t world)
{
    switch (world)
    {
        case Game::WorldWater:
            return IMAGE_BG_WATER;
        case Game::WorldFire:
            return IMAGE_BG_FIRE;
        case Game::WorldEarth:
            return IMAGE_BG_EARTH;
        case Game::WorldAir:
            return IMAGE_BG_AIR;
        default:
            return nullptr;
    }
}

void Board::UpdateSmooth(double fraction)
{
    (void)fraction;
    fade = std::max(fade - FadeStep, 0);
    TimeManager::Instance()->Process();
    MarkDirty();
}

void Board::Draw(Framework::Graphics* g)
{
    if (background != nullptr)
    {
        g->DrawImage(background, 0, 0);
    }
    RequestOverlay(2);
}

void Board::DrawOverlay(Framework::Graphics* g)
{
    // Once the fade is through, the fill would change nothing.
    if (fade > 0)
    {
        g->SetColor(Framework::Color(0, 0, 0, fade));
        g->FillRect(0, 0, width, height);
    }
}
