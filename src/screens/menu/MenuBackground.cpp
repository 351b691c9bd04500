#include "src/screens/menu/MenuBackground.h"

#include "framework/graphics/Graphics.h"
#include "src/core/ResourceIds.h"

MenuBackground::MenuBackground(MenuApp* application) : app(application) {}

void MenuBackground::SwitchToPanel(int32_t newPanel, bool fade)
{
    panel = newPanel;
    fading = fade;
    MarkDirty();
}

void MenuBackground::Draw(Framework::Graphics* g)
{
    if (IMAGE_BACKGROUND)
    {
        g->DrawImage(IMAGE_BACKGROUND, 0, 0);
    }
    else
    {
        g->SetColor(Framework::Color(0, 0, 0));
        g->FillRect(0, 0, width, height);
    }
    if (IMAGE_TITLE)
    {
        g->DrawImage(IMAGE_TITLE, 84, 85);
    }
    if (IMAGE_CORVANE_LOGO)
    {
        g->DrawImage(IMAGE_CORVANE_LOGO, -8, 520);
    }
    if (IMAGE_LOGO_TAMSERY)
    {
        g->DrawImage(IMAGE_LOGO_TAMSERY, 680, 533);
    }
}
