// Widget: a container that can be seen, hit by the mouse and focused, with
// the overridable handlers the widget manager calls. Every control and screen
// derives from it.
//
// Click counts (the convention of the whole toolkit): 1 single left press,
// 2 double left, -1 single right, -2 double right, 3 middle. The two- and
// three-argument MouseDown / MouseUp turn one into (button, count): 3 gives
// (2, 1), a negative c gives (1, -c), a positive c gives (0, c). Buttons:
// 0 left, 1 right, 2 middle.
//
// Handlers must not destroy their own widget: hand it to the application for
// deletion once the loop has unwound. Main thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"
#include "framework/widgets/WidgetContainer.h"

namespace Framework
{

class Image;

class Widget : public WidgetContainer
{
public:
    Widget() = default;
    // Removes itself from its parent when still in a container.
    ~Widget() override;

    bool visible = true;
    bool mouseTarget = true;
    bool disabled = false;
    bool hasFocus = false;
    bool isPressed = false;
    bool isHovered = false;
    bool seeThrough = false;
    std::vector<Color> colors;
    Insets hitInsets;
    bool handCursor = false;
    bool focusOnClick = false;
    Widget* prevInTabOrder = nullptr;
    Widget* nextInTabOrder = nullptr;

    // Whether DrawText, DrawWrappedText and MeasureWrappedText let ^RRGGBB^
    // codes change the colour inside a string. Shared by every widget.
    static bool textColorCodes;

    virtual void OrderChanged();
    virtual void SetVisible(bool isVisible);
    virtual void SetColors(const int32_t (*table)[4], int32_t count);
    virtual void SetColors(const int32_t (*table)[3], int32_t count);
    virtual void SetColor(int32_t index, const Color& color);
    virtual Color GetColor(int32_t index, const Color& fallback);
    virtual Color GetColor(int32_t index);
    virtual void SetDisabled(bool isDisabled);
    virtual void ShowHandCursor(bool show);
    virtual void Resize(const Rect& rect);
    virtual void Resize(int32_t newX, int32_t newY, int32_t newWidth, int32_t newHeight);
    virtual void Move(int32_t newX, int32_t newY);
    virtual bool AcceptsFocus();
    virtual void DrawOverlay(Graphics* g);
    virtual void GotFocus();
    virtual void LostFocus();
    virtual void CharTyped(char character);
    virtual void KeyDown(int32_t key);
    virtual void KeyUp(int32_t key);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseMove(int32_t localX, int32_t localY);
    virtual void MouseDown(int32_t localX, int32_t localY, int32_t button, int32_t clickCount);
    virtual void MouseDown(int32_t localX, int32_t localY, int32_t clickCount);
    virtual void MouseUp(int32_t localX, int32_t localY, int32_t button, int32_t clickCount);
    virtual void MouseUp(int32_t localX, int32_t localY, int32_t clickCount);
    virtual void MouseUp(int32_t localX, int32_t localY);
    virtual void MouseDrag(int32_t localX, int32_t localY);
    virtual void MouseWheel(int32_t delta);
    // False makes the point click-through (local coordinates).
    virtual bool AcceptsPoint(int32_t localX, int32_t localY);
    // Text centred across the widget's width on the baseline, in the
    // context's font and colour; returns the rectangle it covers.
    virtual Rect DrawCenteredLine(Graphics* g, int32_t baseline, const std::string& text, const Color& color,
                                  const Color& shadowColor, const Point& shadowOffset);
    virtual Rect DrawCenteredLine(Graphics* g, int32_t baseline, const std::string& text);
    // The context's WriteString with textColorCodes in effect for the call.
    virtual int32_t DrawText(Graphics* g, const std::string& text, int32_t textX, int32_t textY, int32_t textWidth = -1,
                             int32_t justification = -1, bool draw = true, int32_t offset = 0, int32_t length = -1);
    // The context's WriteWordWrapped with textColorCodes; the height used.
    virtual int32_t DrawWrappedText(Graphics* g, const Rect& rect, const std::string& text, int32_t lineSpacing = -1,
                                    int32_t justification = -1);
    virtual int32_t MeasureWrappedText(Graphics* g, int32_t textWidth, const std::string& text,
                                       int32_t lineSpacing = -1);
    // Decimal digits of number (its magnitude): 1 for 0..9, 2 for 10..99, ...
    virtual int32_t CountDigits(int64_t number);
    // Writes a non-negative number from a strip image holding the digits 0..9
    // in ten equal cells, advancing by cell width + spacing per digit.
    virtual void DrawNumberStrip(Graphics* g, int64_t number, int32_t stripX, int32_t stripY, Image* strip,
                                 int32_t spacing);
    // Parent coordinates.
    virtual bool Contains(int32_t px, int32_t py);
    virtual Rect GetHitRect();

    // Asks for DrawOverlay after the widgets of lower draw priority are drawn
    // in the current draw pass.
    void RequestOverlay(int32_t priority);

    // Button (0, 1, 2) and count of a click count; the bit (1 left, 2 right,
    // 4 middle) of a click count.
    static void SplitClickCount(int32_t clickCount, int32_t& button, int32_t& count);
    static int32_t ButtonBit(int32_t clickCount);
};

} // namespace Framework
