#include "src/screens/game/TitleBarWidget.h"

#include "framework/app/AppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "src/core/GameTypes.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/screens/common/ScreenMode.h"
#include "src/screens/dialogs/GameDialogHost.h"

TitleBarWidget::TitleBarWidget(GameDialogHost& dialogHost, Framework::Image* titleImage)
    : CommonBkgdWidget(titleImage), FeedbackButtonListener(dialogHost, ButtonFeedback::Style::HandOnly),
      host(dialogHost)
{
    Resize(0, 0, 800, 25);
    minimizeButton = AddImageButton(MinimizeId, this, IMAGE_MINMIZE_BUTTON, 17, 17, 4, 740, 4);
    maximizeButton = AddImageButton(MaximizeId, this, IMAGE_MAXMIZE_BUTTON, 17, 17, 4, 759, 4);
    exitButton = AddImageButton(ExitId, this, IMAGE_EXIT_BUTTON, 17, 17, 4, 778, 4);
}

TitleBarWidget::~TitleBarWidget()
{
    RemoveAllChildren();
}

std::string TitleBarWidget::ModeName(int32_t mode)
{
    return Game::ModeName(mode);
}

std::string TitleBarWidget::DifficultyName(int32_t difficulty)
{
    return Game::DifficultyName(difficulty);
}

std::string TitleBarWidget::ModeLabel(int32_t mode, int32_t difficulty, int32_t stageId)
{
    // Appended piece by piece: GCC 12 wrongly warns of an overrun on the
    // chained operator+ of a returned string.
    std::string label = ModeName(mode);
    if (mode == Game::ModeQuest)
    {
        label += " mode-Stage ";
        label += std::to_string(stageId % 10000 + 1);
        return label;
    }
    label += " mode-";
    label += DifficultyName(difficulty);
    return label;
}

std::string TitleBarWidget::CurrentLabel() const
{
    const PlayState& state = host.Play().State();
    return ModeLabel(state.mode, state.difficulty, state.stageId);
}

void TitleBarWidget::Update()
{
    CommonBkgdWidget::Update();
    if (CurrentLabel() != shownLabel)
    {
        MarkDirty();
    }
}

void TitleBarWidget::Draw(Framework::Graphics* g)
{
    CommonBkgdWidget::Draw(g);
    shownLabel = CurrentLabel();
    if (FONT_VERDANA10BOLD == nullptr)
    {
        return;
    }
    g->SetFont(FONT_VERDANA10BOLD);
    g->SetColor(Framework::Color(255, 255, 255, 255));
    g->DrawString(host.Application().title, 11, 17);
    g->DrawString(shownLabel, 145, 17);
}

void TitleBarWidget::ButtonClicked(int32_t id)
{
    Framework::AppBase& app = host.Application();
    switch (id)
    {
        case MinimizeId:
            if (app.platform)
            {
                app.platform->MinimiseMainWindow();
            }
            break;
        case MaximizeId:
            ToggleScreenMode(app);
            break;
        case ExitId:
            host.ShowExitDialog();
            break;
        default:
            break;
    }
}

void TitleBarWidget::MouseDown(int32_t localX, int32_t localY, int32_t clickCount)
{
    CommonBkgdWidget::MouseDown(localX, localY, clickCount);
    if (clickCount == 1 && host.Application().windowed)
    {
        pressX = localX;
        pressY = localY;
        pressed = true;
    }
}

void TitleBarWidget::MouseUp(int32_t localX, int32_t localY, int32_t clickCount)
{
    CommonBkgdWidget::MouseUp(localX, localY, clickCount);
    if (pressed && host.Application().windowed)
    {
        host.SetCursor(FeedbackSink::CursorArrow);
        pressed = false;
    }
}
