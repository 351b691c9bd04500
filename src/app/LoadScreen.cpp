#include "src/app/LoadScreen.h"

#include <algorithm>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/HyperlinkWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "src/app/GameApp.h"
#include "src/core/ResourceIds.h"

LoadScreen::LoadScreen(GameApp* application) : app(application) {}

LoadScreen::~LoadScreen()
{
    if (continueLink && continueLink->manager)
    {
        continueLink->manager->RemoveWidget(continueLink);
    }
}

void LoadScreen::CreateContinueLink()
{
    ownedLink = std::make_unique<Framework::HyperlinkWidget>(ContinueLinkId, this);
    continueLink = ownedLink.get();
    if (FONT_DEFAULT)
    {
        continueLink->SetFont(FONT_DEFAULT);
    }
    continueLink->label = "CLICK TO CONTINUE";
    continueLink->color = Framework::Color(255, 255, 255);
    continueLink->hoverColor = Framework::Color(0, 255, 0);
    continueLink->handCursor = true;
}

void LoadScreen::AttachedToManager(Framework::WidgetManager* theManager)
{
    Widget::AttachedToManager(theManager);
    if (!continueLink)
    {
        return;
    }
    continueLink->SetVisible(false);
    continueLink->SetDisabled(true);
    const int32_t w = FONT_DEFAULT ? FONT_DEFAULT->TextWidth(continueLink->label) : 0;
    const int32_t h = FONT_DEFAULT ? FONT_DEFAULT->Height() : 0;
    continueLink->Resize(app->width / 2 - w / 2, app->height - h - 90, w, h + 4);
    continueLink->handCursor = true;
    theManager->AddWidget(continueLink);
}

void LoadScreen::DetachedFromManager(Framework::WidgetManager* theManager)
{
    Widget::DetachedFromManager(theManager);
    if (continueLink)
    {
        theManager->RemoveWidget(continueLink);
    }
}

void LoadScreen::MarkLoadComplete()
{
    if (!loadComplete && !updated)
    {
        fadeStep = 15;
    }
    loadComplete = true;
}

void LoadScreen::Update()
{
    Widget::Update();
    updated = true;
    if (loadComplete && alpha >= 255)
    {
        fadingOut = true;
    }
    if (fadingOut)
    {
        alpha -= fadeStep;
        if (alpha <= 0)
        {
            // The main screen replaces every top-level widget, this one too.
            app->ShowMainScreen();
        }
    }
    else
    {
        alpha = std::min(alpha + fadeStep, 255);
    }
    MarkDirty();
}

int32_t LoadScreen::BarWidth(double progress, int32_t fullWidth)
{
    return static_cast<int32_t>(progress * fullWidth);
}

void LoadScreen::Draw(Framework::Graphics* g)
{
    g->SetColor(Framework::Color(0, 0, 0));
    g->FillRect(0, 0, width, height);
    g->SetColorModulation(true);
    g->SetColor(Framework::Color(255, 255, 255, std::clamp(alpha, 0, 255)));
    if (IMAGE_LOADER_SCREEN)
    {
        g->DrawImage(IMAGE_LOADER_SCREEN, 0, 0);
    }
    if (IMAGE_CORVANE_LOGO)
    {
        g->DrawImage(IMAGE_CORVANE_LOGO, -8, 520);
    }
    if (IMAGE_LOGO_TAMSERY)
    {
        g->DrawImage(IMAGE_LOGO_TAMSERY, 680, 533);
    }
    if (IMAGE_LOADER_BAR)
    {
        const int32_t b = BarWidth(app->LoadingProgress(), IMAGE_LOADER_BAR->GetWidth());
        if (b > 0)
        {
            if (IMAGE_LOADER_EMPTY)
            {
                g->DrawImage(IMAGE_LOADER_EMPTY, 263, 412);
            }
            g->DrawImage(IMAGE_LOADER_BAR, 263, 412, Framework::Rect(0, 0, b, IMAGE_LOADER_BAR->GetHeight()));
        }
    }
    g->SetColorModulation(false);
}

void LoadScreen::KeyDown(int32_t key)
{
    if (loadComplete)
    {
        Continue();
    }
    else
    {
        Widget::KeyDown(key);
    }
}

void LoadScreen::ButtonClicked(int32_t id)
{
    if (id == ContinueLinkId)
    {
        Continue();
    }
}

void LoadScreen::Continue()
{
    if (app->loadScreen.get() != this)
    {
        return; // already continued
    }
    if (manager)
    {
        Framework::WidgetManager* theManager = manager;
        theManager->RemoveWidget(this);
        if (continueLink)
        {
            theManager->RemoveWidget(continueLink);
        }
    }
    if (ownedLink)
    {
        app->DeleteWidgetLater(ownedLink.release());
    }
    continueLink = nullptr;
    app->DeleteWidgetLater(app->loadScreen.release());
    app->ShowMainScreen();
}
