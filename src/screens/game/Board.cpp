#include "src/screens/game/Board.h"

#include <algorithm>

#include "external/timer/TimeManager.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/GameTypes.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/play/GameAreaWidget.h"
#include "src/screens/dialogs/ChangeModeDialog.h"
#include "src/screens/game/FieldControls.h"
#include "src/screens/game/GameDialogs.h"

Board::Board(PlayHost& application, MenuHost* menus) : app(application)
{
    playField = std::make_shared<GameAreaWidget>(app, app.State().IsQuest());
    playField->Move(15, 37);
    if (menus != nullptr)
    {
        // Modal on the field at (201, 311), the game paused.
        changeModeDialog = std::make_shared<ChangeModeDialog>(*menus);
    }
    AddWidget(playField.get());
}

Board::~Board()
{
    playField->SetScreens(nullptr);
    dialogs.reset();
    if (changeModeDialog && changeModeDialog->parent != nullptr)
    {
        changeModeDialog->parent->RemoveWidget(changeModeDialog.get());
    }
    RemoveAllChildren();
}

void Board::MakeDialogs(GameDialogHost& dialogHost)
{
    if (dialogs)
    {
        return;
    }
    fieldControls = std::make_unique<FieldControls>(*playField);
    dialogs = std::make_unique<GameDialogs>(dialogHost, *this, *playField, *fieldControls);
    dialogs->changeMode = changeModeDialog.get();
    dialogs->showPauseButton = [field = playField.get()](bool shown)
    {
        if (Framework::ButtonWidget* pause = field->GetButton(GameAreaWidget::ButtonPause))
        {
            pause->SetVisible(shown);
        }
    };
    playField->SetScreens(dialogs.get());
}

void Board::ShowOverlay()
{
    if (dialogs)
    {
        dialogs->ShowPause();
    }
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
