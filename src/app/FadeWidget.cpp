#include "src/app/FadeWidget.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "src/app/GameApp.h"

FadeWidget::FadeWidget(GameApp* application) : app(application)
{
    Resize(0, 0, 800, 600);
    drawPriority = 6;
    translucent = true;
}

void FadeWidget::Update()
{
    Widget::Update();
    alpha += 3;
    MarkDirty();
    if (alpha > 255 && !finished)
    {
        finished = true;
        app->SaveCurrentPlayer();
        app->StopApplication();
    }
}

void FadeWidget::Draw(Framework::Graphics* g)
{
    g->SetColor(Framework::Color(0, 0, 0, std::min(alpha, 255)));
    g->FillRect(0, 0, 800, 600);
}
