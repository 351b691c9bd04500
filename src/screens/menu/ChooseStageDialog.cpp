#include "src/screens/menu/ChooseStageDialog.h"

#include <algorithm>
#include <array>

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/screens/common/MenuHost.h"
#include "src/core/ResourceIds.h"
#include "src/screens/menu/WorldSelector.h"
#include "src/screens/menu/WorldSphere.h"

ChooseStageDialog::ChooseStageDialog(MenuHost& menuHost, WorldSelector* owner)
    : CommonBkgdWidget(IMAGE_STAGESELECTOR_BG), FeedbackButtonListener(menuHost, ButtonFeedback::Style::SoundThenHand),
      host(menuHost), selector(owner)
{
    const std::array<Framework::Image*, StageCount> images{IMAGE_STAGE01, IMAGE_STAGE02, IMAGE_STAGE03, IMAGE_STAGE04,
                                                           IMAGE_STAGE05, IMAGE_STAGE06, IMAGE_STAGE07, IMAGE_STAGE08,
                                                           IMAGE_STAGE09, IMAGE_STAGE10, IMAGE_STAGE11, IMAGE_STAGE12,
                                                           IMAGE_STAGE13, IMAGE_STAGE14, IMAGE_STAGE15, IMAGE_STAGE16};
    for (int32_t n = 0; n < StageCount; ++n)
    {
        const bool firstColumn = n < 9;
        const int32_t buttonX = firstColumn ? 217 : 257;
        const int32_t buttonY = firstColumn ? 37 + 37 * n : 61 + 40 * (n - 9);
        AddImageButton(n, this, images[size_t(n)], 37, 43, 4, buttonX, buttonY);
    }
    AddImageButton(ButtonClose, this, IMAGE_EXIT_BUTTON, 17, 17, 4, 375, 14);
}

ChooseStageDialog::~ChooseStageDialog()
{
    RemoveAllChildren();
}

Framework::ButtonWidget* ChooseStageDialog::StageButton(int32_t index) const
{
    if (index < 0 || index >= StageCount)
    {
        return nullptr;
    }
    return buttons[size_t(index)].get();
}

void ChooseStageDialog::ResetStageChooser()
{
    // A damaged profile may hold any number: below 0 still opens stage 1.
    const int32_t progress = std::clamp(host.WorldProgress(), 0, StageCount - 1);
    for (int32_t n = 0; n < StageCount; ++n)
    {
        buttons[size_t(n)]->SetDisabled(n > progress);
    }
    MarkDirty();
}

void ChooseStageDialog::Draw(Framework::Graphics* g)
{
    CommonBkgdWidget::Draw(g);
    if (IMAGE_SPHERE != nullptr)
    {
        g->DrawImage(IMAGE_SPHERE, 119, 28);
    }
    if (Framework::Image* image = WorldImage(host.GetWorld()))
    {
        g->DrawCel(image, 119, 28, 0);
    }
}

void ChooseStageDialog::ButtonClicked(int32_t id)
{
    if (id >= 0 && id < StageCount)
    {
        host.StageReached(QuestStageBase(host.GetWorld()) + id);
        host.StartGame();
        if (parent != nullptr)
        {
            parent->RemoveWidget(this);
        }
    }
    else if (id == ButtonClose)
    {
        // Closes this chooser too.
        if (selector != nullptr)
        {
            selector->ResetWorldSelector();
        }
        if (parent != nullptr)
        {
            parent->RemoveWidget(this);
        }
    }
}
