#include "src/screens/menu/WorldSelector.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageTransform.h"
#include "framework/widgets/WidgetManager.h"
#include "src/screens/menu/ChooseStageDialog.h"
#include "src/screens/common/MenuHost.h"
#include "src/core/ResourceIds.h"
#include "src/screens/menu/WorldSphere.h"

namespace
{
struct SpherePlace
{
    int32_t world;
    int32_t x;
    int32_t y;
    int32_t startDelay;
};
constexpr std::array<SpherePlace, 4> SpherePlaces{{
    {4, 43, 153, 0},
    {2, 223, 203, 10},
    {1, 403, 203, 20},
    {3, 583, 153, 30},
}};
constexpr float TitleStep = 0.07f;
} // namespace

WorldSelector::WorldSelector(MenuHost& menuHost)
    : FeedbackButtonListener(menuHost, ButtonFeedback::Style::Silent), host(menuHost)
{
    Resize(0, 200, 800, 400);
    for (size_t i = 0; i < SpherePlaces.size(); ++i)
    {
        spheres[i] = std::make_shared<WorldSphere>(host, this, SpherePlaces[i].world);
        spheres[i]->Move(SpherePlaces[i].x, SpherePlaces[i].y);
        AddWidget(spheres[i].get());
    }
    stageChooser = std::make_shared<ChooseStageDialog>(host, this);
    // At y 24 the chooser's 376-pixel panel ends at the foot of the screen,
    // so every stage button lies on it.
    stageChooser->Move(178, 24);
    AddImageButton(ButtonBack, this, IMAGE_BUTTON_BACK, 40, 16, 3, 380, 366);
}

WorldSelector::~WorldSelector()
{
    RemoveAllChildren();
}

void WorldSelector::ResetWorldSelector()
{
    RemoveWidget(stageChooser.get());
    for (size_t i = 0; i < SpherePlaces.size(); ++i)
    {
        spheres[i]->Restart(SpherePlaces[i].startDelay);
    }
    titleScale = 1.0f;
    titleActive = true;
    titleGrowing = true;
    MarkDirty();
}

void WorldSelector::OpenStageChooser()
{
    stageChooser->ResetStageChooser();
    for (const auto& sphere : spheres)
    {
        sphere->SetVisible(false);
    }
    AddWidget(stageChooser.get());
    MarkDirty();
}

bool WorldSelector::IsStageChooserOpen() const
{
    return HasWidget(stageChooser.get());
}

WorldSphere* WorldSelector::SphereOf(int32_t world) const
{
    for (const auto& sphere : spheres)
    {
        if (sphere->world == world)
        {
            return sphere.get();
        }
    }
    return nullptr;
}

void WorldSelector::Update()
{
    CommonBkgdWidget::Update();
    if (!titleActive)
    {
        return;
    }
    if (titleGrowing)
    {
        titleScale += TitleStep;
        if (titleScale > 2.0f)
        {
            titleGrowing = false;
        }
    }
    else
    {
        titleScale -= TitleStep;
        if (titleScale < 1.0f)
        {
            titleGrowing = true;
            titleActive = false;
        }
    }
    MarkDirty();
}

void WorldSelector::Draw(Framework::Graphics* g)
{
    if (IMAGE_SELECTWORLD == nullptr)
    {
        return;
    }
    Framework::ImageTransform transform;
    transform.Scale(titleScale, titleScale);
    const bool accelerated = manager != nullptr && manager->app != nullptr && manager->app->IsDrawing3D();
    if (accelerated)
    {
        g->DrawTransformedF(IMAGE_SELECTWORLD, transform, 400.0f, 191.0f);
    }
    else
    {
        g->DrawTransformed(IMAGE_SELECTWORLD, transform, 400.0f, 191.0f);
    }
}

void WorldSelector::ButtonClicked(int32_t id)
{
    if (id != ButtonBack)
    {
        return;
    }
    const bool quest = host.GetGameMode() == Game::ModeQuest;
    host.ShowPanel(quest ? Panels::MainMenu : Panels::Difficulty, false);
}
