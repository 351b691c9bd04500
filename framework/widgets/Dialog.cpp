#include "framework/widgets/Dialog.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/SysFont.h"
#include "framework/widgets/ControlHost.h"
#include "framework/widgets/WidgetManager.h"

namespace Framework
{

namespace
{

constexpr int32_t kShadowOffset = 4;
constexpr int32_t kMinButtonHeight = 24;

std::string Lookup(const Dialog::StringTable* strings, const char* key, const char* fallback)
{
    if (strings != nullptr)
    {
        const auto it = strings->find(key);
        if (it != strings->end())
        {
            return it->second;
        }
    }
    return fallback;
}

} // namespace

Dialog::Dialog(Image* frame, Image* buttonImage, int32_t id, bool modal, const std::string& headerText,
               const std::string& linesText, const std::string& footerText, int32_t mode,
               DialogListener* dialogListener, const StringTable* strings)
    : frameImage(frame), header(headerText), lines(linesText), footer(footerText), buttonMode(mode), dialogId(id),
      isModal(modal), listener(dialogListener)
{
    drawPriority = 1;
    translucent = true;
    seeThrough = true;
    colors = {Color::White(),     Color::White(),    Color::White(), Color::White(),
              Color(255, 255, 0), Color(48, 56, 88), Color::White()};
    switch (buttonMode)
    {
        case BUTTONS_YES_NO:
            firstButton = std::make_unique<DialogButton>(buttonImage, ID_YES, this);
            firstButton->label = Lookup(strings, "DIALOG_BUTTON_YES", "YES");
            secondButton = std::make_unique<DialogButton>(buttonImage, ID_NO, this);
            secondButton->label = Lookup(strings, "DIALOG_BUTTON_NO", "NO");
            break;
        case BUTTONS_OK_CANCEL:
            firstButton = std::make_unique<DialogButton>(buttonImage, ID_OK, this);
            firstButton->label = Lookup(strings, "DIALOG_BUTTON_OK", "OK");
            secondButton = std::make_unique<DialogButton>(buttonImage, ID_CANCEL, this);
            secondButton->label = Lookup(strings, "DIALOG_BUTTON_CANCEL", "CANCEL");
            break;
        case BUTTONS_FOOTER:
            firstButton = std::make_unique<DialogButton>(buttonImage, ID_FOOTER, this);
            firstButton->label = footer;
            break;
        default:
            break;
    }
}

Dialog::~Dialog()
{
    // Leave the tree while this is still a Dialog, so the buttons go too.
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
}

Font* Dialog::HeaderFont()
{
    if (headerFont == nullptr)
    {
        headerFont = std::make_unique<SysFont>("SansSerif", 14, 0, true);
    }
    return headerFont.get();
}

Font* Dialog::LinesFont()
{
    if (linesFont == nullptr)
    {
        linesFont = std::make_unique<SysFont>("SansSerif", 12);
    }
    return linesFont.get();
}

void Dialog::SetButtonFont(Font* font)
{
    for (DialogButton* button : {firstButton.get(), secondButton.get()})
    {
        if (button != nullptr)
        {
            button->SetFont(font);
        }
    }
    LayoutButtons();
}

void Dialog::SetHeaderFont(Font* font)
{
    headerFont = font != nullptr ? font->Clone() : nullptr;
    MarkDirty();
}

void Dialog::SetLinesFont(Font* font)
{
    linesFont = font != nullptr ? font->Clone() : nullptr;
    MarkDirty();
}

void Dialog::SetColor(int32_t index, const Color& color)
{
    Widget::SetColor(index, color);
    if (index == ColorButtonText || index == ColorButtonTextHover)
    {
        for (DialogButton* button : {firstButton.get(), secondButton.get()})
        {
            if (button != nullptr)
            {
                button->SetColor(index - ColorButtonText, color);
            }
        }
    }
}

int32_t Dialog::ButtonRowHeight()
{
    if (firstButton == nullptr)
    {
        return 0;
    }
    const Image* image = firstButton->normalImage;
    if (image != nullptr)
    {
        return firstButton->normalRect.IsEmpty() ? image->GetHeight() : firstButton->normalRect.height;
    }
    return std::max(kMinButtonHeight, firstButton->LabelFont()->Height() + 12);
}

int32_t Dialog::GetPreferredHeight(int32_t atWidth)
{
    int32_t total = contentInsets.top + contentInsets.bottom;
    if (!header.empty())
    {
        total += HeaderFont()->Height() + sectionSpacing;
    }
    if (!lines.empty())
    {
        Graphics measure;
        measure.SetFont(LinesFont());
        total +=
            MeasureWrappedText(&measure, atWidth - contentInsets.left - contentInsets.right, lines) + sectionSpacing;
    }
    if (!footer.empty() && buttonMode != BUTTONS_FOOTER)
    {
        total += LinesFont()->Height() + sectionSpacing;
    }
    total += ButtonRowHeight();
    return total;
}

void Dialog::LayoutButtons()
{
    if (firstButton == nullptr)
    {
        return;
    }
    const Point origin = GetScreenPos();
    const int32_t rowWidth = width - contentInsets.left - contentInsets.right;
    const int32_t rowHeight = ButtonRowHeight();
    const int32_t rowX = origin.x + contentInsets.left;
    const int32_t rowY = origin.y + height - contentInsets.bottom - rowHeight;
    if (secondButton == nullptr)
    {
        firstButton->Resize(rowX, rowY, rowWidth, rowHeight);
        return;
    }
    const int32_t buttonWidth = (rowWidth - buttonSpacing) / 2;
    firstButton->Resize(rowX, rowY, buttonWidth, rowHeight);
    secondButton->Resize(rowX + rowWidth - buttonWidth, rowY, buttonWidth, rowHeight);
}

void Dialog::Resize(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight)
{
    Widget::Resize(newX, newY, newWidth, newHeight);
    LayoutButtons();
}

void Dialog::AttachedToManager(WidgetManager* theManager)
{
    Widget::AttachedToManager(theManager);
    LayoutButtons();
    for (DialogButton* button : {firstButton.get(), secondButton.get()})
    {
        if (button != nullptr)
        {
            button->SetVisible(visible);
            theManager->AddWidget(button);
        }
    }
    OrderChanged();
}

void Dialog::DetachedFromManager(WidgetManager* theManager)
{
    Widget::DetachedFromManager(theManager);
    for (DialogButton* button : {firstButton.get(), secondButton.get()})
    {
        if (button != nullptr && theManager->HasWidget(button))
        {
            theManager->RemoveWidget(button);
        }
    }
    dragging = false;
}

void Dialog::OrderChanged()
{
    if (manager == nullptr)
    {
        return;
    }
    Widget* reference = this;
    for (DialogButton* button : {firstButton.get(), secondButton.get()})
    {
        if (button != nullptr && manager->HasWidget(button))
        {
            manager->PlaceAbove(button, reference);
            reference = button;
        }
    }
}

void Dialog::SetVisible(bool isVisible)
{
    Widget::SetVisible(isVisible);
    for (DialogButton* button : {firstButton.get(), secondButton.get()})
    {
        if (button != nullptr)
        {
            button->SetVisible(isVisible);
        }
    }
}

void Dialog::ButtonPressed(int32_t buttonId)
{
    if ((buttonId == ID_YES || buttonId == ID_NO) && listener != nullptr)
    {
        listener->DialogButtonPressed(dialogId, buttonId);
    }
}

void Dialog::ButtonClicked(int32_t buttonId)
{
    if (buttonId != ID_YES && buttonId != ID_NO)
    {
        return;
    }
    result = buttonId;
    if (listener != nullptr)
    {
        listener->DialogButtonClicked(dialogId, buttonId);
    }
}

int32_t Dialog::RunUntilAnswered(bool remove)
{
    while (result == NoResult && manager != nullptr)
    {
        ControlHost* host = FindControlHost(this);
        if (host == nullptr || !host->RunDialogLoopStep())
        {
            break;
        }
    }
    if (remove)
    {
        Close();
    }
    return result;
}

void Dialog::Close()
{
    if (manager != nullptr)
    {
        manager->PopModal(this);
    }
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
}

void Dialog::MouseDown(int32_t localX, int32_t localY, int32_t, int32_t clickCount)
{
    if (clickCount == 1)
    {
        dragging = true;
        grabX = localX;
        grabY = localY;
    }
}

void Dialog::MouseDrag(int32_t localX, int32_t localY)
{
    if (!dragging)
    {
        return;
    }
    SetControlCursor(this, CursorDragging);
    const int32_t areaWidth = parent != nullptr ? parent->width : width;
    const int32_t areaHeight = parent != nullptr ? parent->height : height;
    const int32_t newX = std::clamp(x + localX - grabX, 0, std::max(0, areaWidth - width));
    const int32_t newY = std::clamp(y + localY - grabY, 0, std::max(0, areaHeight - height));
    grabX = x + localX - newX;
    grabY = y + localY - newY;
    Move(newX, newY);
}

void Dialog::MouseUp(int32_t, int32_t, int32_t, int32_t)
{
    if (dragging)
    {
        dragging = false;
        SetControlCursor(this, CursorArrow);
    }
}

void Dialog::Draw(Graphics* g)
{
    const Rect box(backgroundInsets.left, backgroundInsets.top, width - backgroundInsets.left - backgroundInsets.right,
                   height - backgroundInsets.top - backgroundInsets.bottom);
    if (frameImage != nullptr)
    {
        g->DrawFrameBox(box, frameImage);
    }
    else
    {
        const Rect face(box.x, box.y, box.width - kShadowOffset, box.height - kShadowOffset);
        g->SetColor(Color(0, 0, 0, 128));
        g->FillRect(face.x + kShadowOffset, face.y + kShadowOffset, face.width, face.height);
        g->SetColor(GetColor(ColorBackground));
        g->FillRect(face);
        g->SetColor(GetColor(ColorOutline));
        g->DrawRect(face.x, face.y, face.width - 1, face.height - 1);
    }

    int32_t penY = contentInsets.top;
    const int32_t textWidth = width - contentInsets.left - contentInsets.right;
    if (!header.empty())
    {
        Font* font = HeaderFont();
        g->SetFont(font);
        g->SetColor(GetColor(ColorHeader));
        DrawCenteredLine(g, penY + font->Ascent(), header);
        penY += font->Height() + sectionSpacing;
    }
    if (!lines.empty())
    {
        g->SetFont(LinesFont());
        g->SetColor(GetColor(ColorLines));
        penY += DrawWrappedText(g, Rect(contentInsets.left, penY, textWidth, height - penY), lines) + sectionSpacing;
    }
    if (!footer.empty() && buttonMode != BUTTONS_FOOTER)
    {
        Font* font = LinesFont();
        const int32_t footerTop = height - contentInsets.bottom - ButtonRowHeight() - sectionSpacing - font->Height();
        g->SetFont(font);
        g->SetColor(GetColor(ColorFooter));
        DrawCenteredLine(g, std::max(penY, footerTop) + font->Ascent(), footer);
    }
}

} // namespace Framework
