// EditWidget: a single-line text field over a GBK byte string. Positions
// (caret, selection anchor, scroll) are byte offsets that never fall inside a
// double-byte character; Left, Right, Backspace and Delete step over such a
// character as one unit. A character typed as two bytes (the platform hands a
// double-byte character over as two CharTyped calls) is held after its first
// byte and inserted whole with the second.
//
// Limits: maxBytes bytes (negative: none) and, optionally, a width in pixels
// the text must fit with the field's font or with each width-check font.
// Edits that would break a limit are refused or cut back to whole characters.
//
// Clipboard: Ctrl+C, Ctrl+X and Ctrl+V arrive as the characters 3, 24 and 22
// and go through a Clipboard in UTF-8, converted from and to GBK; a paste
// takes only the first line. The listener may refuse any edit (AcceptText),
// which puts text, caret and selection back.
//
// Ownership: the field owns copies of its fonts; the listener and the
// clipboard must outlive it. Colour table: 0 background (white), 1 outline
// (black), 2 text (black), 3 selection and caret (black), 4 selected text
// (white). Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "framework/widgets/EditListener.h"
#include "framework/widgets/Widget.h"

namespace Framework
{

class Clipboard;

class EditWidget : public Widget
{
public:
    enum ColorIndex : int32_t
    {
        ColorBackground = 0,
        ColorOutline = 1,
        ColorText = 2,
        ColorSelection = 3,
        ColorSelectedText = 4,
    };

    // A font the text must also fit with; width <= 0 means maxWidth.
    struct FitFont
    {
        std::unique_ptr<Font> font;
        int32_t width = -1;
    };

    EditWidget(int32_t id, EditListener* listener, int32_t x, int32_t y, int32_t width, int32_t height,
               int32_t maxBytes);
    ~EditWidget() override;

    int32_t id;
    uint8_t pendingLeadByte = 0;
    std::string doubleByteFlags;
    std::string text;
    std::string maskedText;
    std::vector<FitFont> fitFonts;
    std::unique_ptr<Font> font;
    EditListener* listener;
    int32_t blinkCounter = 0;
    bool blinkOn = false;
    int32_t caretPos = 0;
    int32_t selectionAnchor = -1;
    int32_t blinkDelay = 40;
    int32_t scrollPos = 0;
    int32_t maxBytes;
    int32_t maxWidth = -1;
    char maskChar = 0;

    void Draw(Graphics* g) override;
    void Update() override;
    bool AcceptsFocus() override { return true; }
    void GotFocus() override;
    void LostFocus() override;
    void KeyDown(int32_t key) override;
    void CharTyped(char character) override;
    void MouseDown(int32_t localX, int32_t localY, int32_t button, int32_t clickCount) override;
    void MouseUp(int32_t localX, int32_t localY, int32_t button, int32_t clickCount) override;
    void MouseDrag(int32_t localX, int32_t localY) override;
    void MouseEnter() override;
    void MouseLeave() override;
    using Widget::MouseDown;
    using Widget::MouseUp;

    // One key code (character 0) or one typed byte (keyCode 0).
    virtual void HandleKey(int32_t keyCode, int32_t character);
    // Copies font (the field's font) and widthCheckFont (which becomes the
    // only width-check font, against maxWidth); either may be null.
    virtual void SetFont(Font* newFont, Font* widthCheckFont = nullptr);
    // Replaces the text, caret at its end and the whole text selected.
    virtual void SetText(const std::string& newText, bool resetScroll = true);
    virtual bool IsWordChar(char c);
    // The caret position nearest to the local point.
    virtual int32_t PositionAt(int32_t localX, int32_t localY);
    virtual void ScrollToCaret(bool bigJump);

    // Another width-check font; width <= 0 means maxWidth.
    void AddWidthCheckFont(Font* checkFont, int32_t fitWidth = -1);
    void SetClipboard(Clipboard* newClipboard) { clipboard = newClipboard; }
    // The text as shown (maskedText when masking).
    const std::string& ShownText();
    bool HasSelection() const { return selectionAnchor >= 0 && selectionAnchor != caretPos; }
    std::string SelectedText() const;
    // The field's font, creating the default texture font on first use.
    Font* GetFont();

private:
    struct EditState
    {
        std::string text;
        int32_t caretPos;
        int32_t selectionAnchor;
        int32_t scrollPos;
    };

    void RebuildDerived();
    // Replaces the selection (if any) by insert; the caret ends after it.
    void ReplaceSelection(const std::string& insert);
    void DeleteRange(int32_t from, int32_t to);
    bool HasRoomFor(int32_t bytes) const;
    void EnforceLimits();
    void CutToWidth(Font* measure, int32_t limit);
    int32_t ShownWidth(int32_t from, int32_t to);

    Clipboard* clipboard;
};

} // namespace Framework
