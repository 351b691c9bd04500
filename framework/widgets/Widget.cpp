#include "framework/widgets/Widget.h"

#include <algorithm>
#include <string>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"

namespace Framework
{

bool Widget::textColorCodes = true;

namespace
{

// Puts the context's colour-code switch back when a text call leaves.
class ColorCodesScope
{
public:
    ColorCodesScope(Graphics* g, bool on) : graphics(g), saved(g->colorCodes) { g->colorCodes = on; }
    ~ColorCodesScope() { graphics->colorCodes = saved; }
    ColorCodesScope(const ColorCodesScope&) = delete;
    ColorCodesScope& operator=(const ColorCodesScope&) = delete;

private:
    Graphics* graphics;
    bool saved;
};

Rect Union(const Rect& a, const Rect& b)
{
    const int32_t left = std::min(a.x, b.x);
    const int32_t top = std::min(a.y, b.y);
    const int32_t right = std::max(a.x + a.width, b.x + b.width);
    const int32_t bottom = std::max(a.y + a.height, b.y + b.height);
    return Rect(left, top, right - left, bottom - top);
}

} // namespace

Widget::~Widget()
{
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
}

void Widget::OrderChanged() {}

void Widget::SetVisible(bool isVisible)
{
    if (visible == isVisible)
    {
        return;
    }
    visible = isVisible;
    if (visible)
    {
        MarkDirty();
    }
    else
    {
        MarkDirtyArea();
    }
    if (manager != nullptr)
    {
        manager->RefreshPointer();
    }
}

void Widget::SetColors(const int32_t (*table)[4], int32_t count)
{
    colors.clear();
    for (int32_t i = 0; i < count; ++i)
    {
        SetColor(i, Color(table[i][0], table[i][1], table[i][2], table[i][3]));
    }
    MarkDirty();
}

void Widget::SetColors(const int32_t (*table)[3], int32_t count)
{
    colors.clear();
    for (int32_t i = 0; i < count; ++i)
    {
        SetColor(i, Color(table[i][0], table[i][1], table[i][2], 255));
    }
    MarkDirty();
}

void Widget::SetColor(int32_t index, const Color& color)
{
    if (index < 0)
    {
        return;
    }
    if (colors.size() <= size_t(index))
    {
        colors.resize(size_t(index) + 1, Color::Black());
    }
    colors[size_t(index)] = color;
    MarkDirty();
}

Color Widget::GetColor(int32_t index, const Color& fallback)
{
    if (index < 0 || size_t(index) >= colors.size())
    {
        return fallback;
    }
    return colors[size_t(index)];
}

Color Widget::GetColor(int32_t index)
{
    return GetColor(index, Color::Black());
}

void Widget::SetDisabled(bool isDisabled)
{
    if (disabled == isDisabled)
    {
        return;
    }
    disabled = isDisabled;
    if (disabled && manager != nullptr)
    {
        manager->ForgetWidget(this);
    }
    MarkDirty();
    if (!disabled && manager != nullptr)
    {
        const Point origin = parent != nullptr ? parent->GetScreenPos() : Point();
        if (Contains(manager->pointerX - origin.x, manager->pointerY - origin.y))
        {
            if (manager->capturedButtons == 0)
            {
                manager->SetPointerPosition(manager->pointerX, manager->pointerY);
            }
            else
            {
                manager->RefreshPointer();
            }
        }
    }
}

void Widget::ShowHandCursor(bool show)
{
    if (manager != nullptr && manager->app != nullptr)
    {
        manager->app->ShowHandCursor(show);
    }
}

void Widget::Resize(const Rect& rect)
{
    Resize(rect.x, rect.y, rect.width, rect.height);
}

void Widget::Resize(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight)
{
    if (x == newX && y == newY && width == newWidth && height == newHeight)
    {
        return;
    }
    MarkDirtyArea();
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
    // The old area left the mark set; clear it so the widgets over the new
    // area are marked as well.
    dirty = false;
    MarkDirty();
    if (manager != nullptr)
    {
        manager->RefreshPointer();
    }
}

void Widget::Move(int32_t newX, int32_t newY)
{
    Resize(newX, newY, width, height);
}

bool Widget::AcceptsFocus()
{
    return focusOnClick;
}

void Widget::DrawOverlay(Graphics*) {}

void Widget::GotFocus()
{
    hasFocus = true;
}

void Widget::LostFocus()
{
    hasFocus = false;
}

void Widget::CharTyped(char) {}

void Widget::KeyDown(int32_t key)
{
    if (key != VK_TAB || manager == nullptr)
    {
        return;
    }
    Widget* target = manager->IsKeyDown(VK_SHIFT) ? prevInTabOrder : nextInTabOrder;
    if (target != nullptr)
    {
        manager->SetFocus(target);
    }
}

void Widget::KeyUp(int32_t) {}

void Widget::MouseEnter() {}

void Widget::MouseLeave() {}

void Widget::MouseMove(int32_t, int32_t) {}

void Widget::MouseDown(int32_t, int32_t, int32_t, int32_t) {}

void Widget::MouseDown(int32_t localX, int32_t localY, int32_t clickCount)
{
    int32_t button = 0;
    int32_t count = 0;
    SplitClickCount(clickCount, button, count);
    MouseDown(localX, localY, button, count);
}

void Widget::MouseUp(int32_t, int32_t, int32_t, int32_t) {}

void Widget::MouseUp(int32_t localX, int32_t localY, int32_t clickCount)
{
    MouseUp(localX, localY);
    int32_t button = 0;
    int32_t count = 0;
    SplitClickCount(clickCount, button, count);
    MouseUp(localX, localY, button, count);
}

void Widget::MouseUp(int32_t, int32_t) {}

void Widget::MouseDrag(int32_t, int32_t) {}

void Widget::MouseWheel(int32_t) {}

bool Widget::AcceptsPoint(int32_t, int32_t)
{
    return true;
}

Rect Widget::DrawCenteredLine(Graphics* g, int32_t baseline, const std::string& text, const Color& color,
                              const Color& shadowColor, const Point& shadowOffset)
{
    Font* font = g->GetFont();
    if (font == nullptr)
    {
        return Rect();
    }
    const int32_t textWidth = font->TextWidth(text);
    const int32_t left = (width - textWidth) / 2;
    const Color saved = g->GetColor();
    g->SetColor(shadowColor);
    g->DrawString(text, left + shadowOffset.x, baseline + shadowOffset.y);
    g->SetColor(color);
    g->DrawString(text, left, baseline);
    g->SetColor(saved);
    const Rect main(left, baseline - font->Ascent(), textWidth, font->Height());
    const Rect shadow(main.x + shadowOffset.x, main.y + shadowOffset.y, main.width, main.height);
    return Union(main, shadow);
}

Rect Widget::DrawCenteredLine(Graphics* g, int32_t baseline, const std::string& text)
{
    Font* font = g->GetFont();
    if (font == nullptr)
    {
        return Rect();
    }
    const int32_t textWidth = font->TextWidth(text);
    const int32_t left = (width - textWidth) / 2;
    g->DrawString(text, left, baseline);
    return Rect(left, baseline - font->Ascent(), textWidth, font->Height());
}

int32_t Widget::DrawText(Graphics* g, const std::string& text, int32_t textX, int32_t textY, int32_t textWidth,
                         int32_t justification, bool draw, int32_t offset, int32_t length)
{
    ColorCodesScope scope(g, textColorCodes);
    return g->WriteString(text, textX, textY, textWidth, justification, draw, offset, length);
}

int32_t Widget::DrawWrappedText(Graphics* g, const Rect& rect, const std::string& text, int32_t lineSpacing,
                                int32_t justification)
{
    ColorCodesScope scope(g, textColorCodes);
    return g->WriteWordWrapped(rect, text, lineSpacing, justification);
}

int32_t Widget::MeasureWrappedText(Graphics* g, int32_t textWidth, const std::string& text, int32_t lineSpacing)
{
    ColorCodesScope scope(g, textColorCodes);
    return g->WordWrappedHeight(textWidth, text, lineSpacing);
}

int32_t Widget::CountDigits(int64_t number)
{
    uint64_t magnitude = number < 0 ? uint64_t(0) - uint64_t(number) : uint64_t(number);
    int32_t digits = 1;
    while (magnitude >= 10)
    {
        magnitude /= 10;
        ++digits;
    }
    return digits;
}

void Widget::DrawNumberStrip(Graphics* g, int64_t number, int32_t stripX, int32_t stripY, Image* strip, int32_t spacing)
{
    if (strip == nullptr)
    {
        return;
    }
    const int32_t cellWidth = strip->width / 10;
    if (cellWidth <= 0)
    {
        return;
    }
    const uint64_t magnitude = number < 0 ? uint64_t(0) - uint64_t(number) : uint64_t(number);
    const std::string digits = std::to_string(magnitude);
    int32_t pen = stripX;
    for (char c : digits)
    {
        const int32_t digit = c - '0';
        Graphics cell(*g);
        cell.IntersectClip(pen, stripY, cellWidth, strip->height);
        cell.DrawImage(strip, pen - cellWidth * digit, stripY);
        pen += cellWidth + spacing;
    }
}

bool Widget::Contains(int32_t px, int32_t py)
{
    return GetRect().Contains(px, py);
}

Rect Widget::GetHitRect()
{
    return Rect(x + hitInsets.left, y + hitInsets.top, width - hitInsets.left - hitInsets.right,
                height - hitInsets.top - hitInsets.bottom);
}

void Widget::RequestOverlay(int32_t priority)
{
    if (manager == nullptr)
    {
        return;
    }
    manager->pendingOverlays.push_back({this, priority});
    manager->lowestPendingPriority = std::min(manager->lowestPendingPriority, priority);
}

void Widget::SplitClickCount(int32_t clickCount, int32_t& button, int32_t& count)
{
    if (clickCount == 3)
    {
        button = 2;
        count = 1;
    }
    else if (clickCount < 0)
    {
        button = 1;
        count = -clickCount;
    }
    else
    {
        button = 0;
        count = clickCount;
    }
}

int32_t Widget::ButtonBit(int32_t clickCount)
{
    if (clickCount < 0)
    {
        return 2;
    }
    return clickCount == 3 ? 4 : 1;
}

} // namespace Framework
