#include "src/screens/menu/DifficultySelector.h"

#include "src/screens/common/MenuHost.h"
#include "src/core/ResourceIds.h"

DifficultySelector::DifficultySelector(MenuHost& menuHost)
    : CommonBkgdWidget(IMAGE_UI_DIFF), FeedbackButtonListener(menuHost, ButtonFeedback::Style::SoundThenHand),
      host(menuHost)
{
    Resize(301, 363, 196, 190);
    AddImageButton(0, this, IMAGE_EASY, 46, 18, 3, 76, 52);
    AddImageButton(1, this, IMAGE_NORMAL, 78, 20, 3, 60, 72);
    AddImageButton(2, this, IMAGE_HARD, 50, 18, 4, 74, 92);
    AddImageButton(3, this, IMAGE_EXPERT, 66, 18, 4, 64, 112);
    AddImageButton(ButtonBack, this, IMAGE_BUTTON_BACK, 40, 16, 3, 80, 157);
}

DifficultySelector::~DifficultySelector()
{
    RemoveAllChildren();
}

void DifficultySelector::ButtonClicked(int32_t id)
{
    if (id >= 0 && id < ButtonBack)
    {
        host.SetDifficulty(id);
        host.ShowPanel(Panels::World, false);
    }
    else if (id == ButtonBack)
    {
        host.ShowPanel(Panels::MainMenu, false);
    }
}
