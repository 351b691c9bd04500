#include "src/screens/game/Board.h"

#include "framework/graphics/Graphics.h"
#include "src/core/GameTypes.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/play/GameAreaWidget.h"

Board::Board(PlayHost* application) : app(application)
{
    playField = std::make_shared<GameAreaWidget>(*app, app->State().IsQuest());
    playField->Move(15, 37);
    AddWidget(playField.get());
}

Board::~Board()
{
    RemoveAllChildren();
}

void Board::SetWorld(int32_t newWorld)
{
    world = newWorld;
    MarkDirty();
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

void Board::Draw(Framework::Graphics* g)
{
    if (Framework::Image* background = WorldBackground(world))
    {
        g->DrawImage(background, 0, 0);
    }
    else
    {
        g->SetColor(Framework::Color(0, 0, 0));
        g->FillRect(0, 0, width, height);
    }
}
