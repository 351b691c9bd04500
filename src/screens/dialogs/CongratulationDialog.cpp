#include "src/screens/dialogs/CongratulationDialog.h"

#include "framework/app/AppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/screens/dialogs/GameDialogHost.h"

CongratulationDialog::CongratulationDialog(GameDialogHost& dialogHost)
    : FeedbackButtonListener(dialogHost, ButtonFeedback::Style::SoundThenHand), host(dialogHost)
{
    Resize(-20, 70, 600, 331);
    backButton = AddImageButton(BackToMenuId, this, IMAGE_BACKTO, 183, 27, 4, 190, 230);
}

CongratulationDialog::~CongratulationDialog()
{
    RemoveAllChildren();
}

void CongratulationDialog::Open(Framework::WidgetContainer* field)
{
    if (field == nullptr || parent != nullptr)
    {
        return;
    }
    host.HoldGame(this);
    field->AddWidget(this);
    if (Framework::WidgetManager* widgets = host.Application().widgetManager.get())
    {
        widgets->PushModal(this);
    }
}

bool CongratulationDialog::AllWorldsCleared() const
{
    const PlayerRecord& player = host.Profiles().currentPlayer;
    for (int32_t world = Game::WorldWater; world <= Game::WorldAir; ++world)
    {
        if (player.Progress(world) != LastStage)
        {
            return false;
        }
    }
    return true;
}

Framework::Image* CongratulationDialog::WorldWord(int32_t world)
{
    switch (world)
    {
        case Game::WorldWater:
            return IMAGE_WORD_WATER;
        case Game::WorldFire:
            return IMAGE_WORD_FIRE;
        case Game::WorldEarth:
            return IMAGE_WORD_EARTH;
        case Game::WorldAir:
            return IMAGE_WORD_AIR;
        default:
            return nullptr;
    }
}

void CongratulationDialog::Draw(Framework::Graphics* g)
{
    if (AllWorldsCleared())
    {
        g->DrawImage(IMAGE_ALLCLEAR, 0, 0);
        return;
    }
    g->DrawImage(IMAGE_CLEARONE, 0, 0);
    g->DrawImage(WorldWord(host.Play().State().world), 418, 166);
}

void CongratulationDialog::ButtonClicked(int32_t id)
{
    if (id != BackToMenuId)
    {
        return;
    }
    host.Play().ResetStage();
    // The menu switch takes every top-level widget, this dialog's screen
    // with it; the modal record it leaves is unwound by the next PopModal.
    host.ShowMainMenu(Panels::MainMenu, true);
    host.ReleaseGame(this);
}
