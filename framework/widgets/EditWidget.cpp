#include "framework/widgets/EditWidget.h"

#include <algorithm>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/TextureFont.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/Clipboard.h"
#include "framework/widgets/ControlHost.h"
#include "framework/widgets/GbkText.h"
#include "framework/widgets/WidgetManager.h"

namespace Framework
{

namespace
{

constexpr int32_t kTextInset = 4;
constexpr int32_t kCaretWidth = 2;

constexpr int32_t kCharCopy = 3;
constexpr int32_t kCharPaste = 22;
constexpr int32_t kCharCut = 24;

// The default face: "SimSun" in the GBK code page.
const char kDefaultFace[] = "\xCB\xCE\xCC\xE5";
constexpr int32_t kDefaultPointSize = 9;
constexpr int32_t kGb2312CharSet = 134;

int32_t Length(const std::string& s)
{
    return static_cast<int32_t>(s.size());
}

// Pasted text keeps what typing could have produced: no control bytes. The
// second byte of a double-byte character is never one of them.
std::string WithoutControlBytes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (GbkText::IsLeadByte(text[i]) && i + 1 < text.size())
        {
            out += text[i];
            out += text[++i];
        }
        else if (byte >= 32 && byte != 127)
        {
            out += text[i];
        }
    }
    return out;
}

} // namespace

EditWidget::EditWidget(int32_t fieldId, EditListener* fieldListener, int32_t fieldX, int32_t fieldY, int32_t fieldWidth,
                       int32_t fieldHeight, int32_t maxLength)
    : id(fieldId), listener(fieldListener), maxBytes(maxLength), clipboard(&SystemClipboard())
{
    colors = {Color::White(), Color::Black(), Color::Black(), Color::Black(), Color::White()};
    Resize(fieldX, fieldY, fieldWidth, fieldHeight);
    ScrollToCaret(false);
}

EditWidget::~EditWidget()
{
    // Leave the tree while still a text field, so losing the focus turns the
    // text input off.
    if (parent != nullptr)
    {
        parent->RemoveWidget(this);
    }
}

Font* EditWidget::GetFont()
{
    if (font == nullptr)
    {
        ControlHost* host = FindControlHost(this);
        font = std::make_unique<TextureFont>(host != nullptr ? host->GetTextFontOwner() : nullptr, kDefaultFace,
                                             kDefaultPointSize, kGb2312CharSet, false, false, false, 1);
    }
    return font.get();
}

void EditWidget::SetFont(Font* newFont, Font* widthCheckFont)
{
    font = newFont != nullptr ? newFont->Clone() : nullptr;
    fitFonts.clear();
    if (widthCheckFont != nullptr)
    {
        AddWidthCheckFont(widthCheckFont, -1);
    }
    MarkDirty();
}

void EditWidget::AddWidthCheckFont(Font* checkFont, int32_t fitWidth)
{
    if (checkFont != nullptr)
    {
        fitFonts.push_back(FitFont{checkFont->Clone(), fitWidth});
    }
}

const std::string& EditWidget::ShownText()
{
    if (maskChar == 0)
    {
        return text;
    }
    if (maskedText.size() != text.size() || (!maskedText.empty() && maskedText[0] != maskChar))
    {
        maskedText.assign(text.size(), maskChar);
    }
    return maskedText;
}

std::string EditWidget::SelectedText() const
{
    if (!HasSelection())
    {
        return {};
    }
    const int32_t from = std::clamp(std::min(selectionAnchor, caretPos), 0, Length(text));
    const int32_t to = std::clamp(std::max(selectionAnchor, caretPos), 0, Length(text));
    return text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

int32_t EditWidget::ShownWidth(int32_t from, int32_t to)
{
    const std::string& shown = ShownText();
    from = std::clamp(from, 0, Length(shown));
    to = std::clamp(to, 0, Length(shown));
    if (from >= to)
    {
        return 0;
    }
    return GetFont()->TextWidth(shown.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
}

void EditWidget::RebuildDerived()
{
    doubleByteFlags = GbkText::SecondByteFlags(text);
    ShownText();
}

void EditWidget::SetText(const std::string& newText, bool resetScroll)
{
    text = newText;
    pendingLeadByte = 0;
    caretPos = Length(text);
    selectionAnchor = 0;
    RebuildDerived();
    if (resetScroll)
    {
        scrollPos = 0;
    }
    else
    {
        ScrollToCaret(false);
    }
    MarkDirty();
}

bool EditWidget::IsWordChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool EditWidget::HasRoomFor(int32_t bytes) const
{
    if (maxBytes < 0)
    {
        return true;
    }
    return Length(text) - Length(SelectedText()) + bytes <= maxBytes;
}

void EditWidget::DeleteRange(int32_t from, int32_t to)
{
    from = std::clamp(from, 0, Length(text));
    to = std::clamp(to, 0, Length(text));
    if (from >= to)
    {
        return;
    }
    text.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
    caretPos = from;
}

void EditWidget::ReplaceSelection(const std::string& insert)
{
    if (HasSelection())
    {
        DeleteRange(std::min(selectionAnchor, caretPos), std::max(selectionAnchor, caretPos));
    }
    caretPos = GbkText::CharStart(text, caretPos);
    text.insert(static_cast<size_t>(caretPos), insert);
    caretPos += Length(insert);
}

void EditWidget::CutToWidth(Font* measure, int32_t limit)
{
    while (!text.empty() && measure->TextWidth(text) > limit)
    {
        text.erase(static_cast<size_t>(GbkText::PrevCharPos(text, Length(text))));
    }
}

void EditWidget::EnforceLimits()
{
    if (maxBytes >= 0 && Length(text) > maxBytes)
    {
        text = GbkText::CutToBytes(text, maxBytes);
    }
    // A width that is not positive is no limit at all (maxWidth -1 is the
    // default): measuring against it would empty the field.
    if (!fitFonts.empty())
    {
        for (FitFont& fit : fitFonts)
        {
            const int32_t limit = fit.width > 0 ? fit.width : maxWidth;
            if (limit > 0)
            {
                CutToWidth(fit.font.get(), limit);
            }
        }
    }
    else if (maxWidth > 0)
    {
        CutToWidth(GetFont(), maxWidth);
    }
}

void EditWidget::HandleKey(int32_t keyCode, int32_t character)
{
    if (keyCode == VK_SHIFT || keyCode == VK_CONTROL)
    {
        return;
    }
    const EditState before{text, caretPos, selectionAnchor, scrollPos};
    const bool shift = manager != nullptr && manager->IsKeyDown(VK_SHIFT);
    if (shift && selectionAnchor < 0)
    {
        selectionAnchor = caretPos;
    }
    bool keepSelection = false;

    if (character == kCharCopy || character == kCharCut)
    {
        if (HasSelection() && clipboard != nullptr)
        {
            clipboard->SetText(GbkText::ToUtf8(SelectedText()));
        }
        if (character == kCharCut)
        {
            ReplaceSelection(std::string());
        }
        else
        {
            keepSelection = true;
        }
    }
    else if (character == kCharPaste)
    {
        const std::string paste = clipboard != nullptr
                                      ? WithoutControlBytes(GbkText::FirstLine(GbkText::FromUtf8(clipboard->GetText())))
                                      : std::string();
        if (!paste.empty() && HasRoomFor(Length(paste)))
        {
            ReplaceSelection(paste);
        }
        else
        {
            keepSelection = true;
        }
    }
    else if (keyCode != 0)
    {
        keepSelection = shift;
        switch (keyCode)
        {
            case VK_LEFT:
                caretPos = GbkText::PrevCharPos(text, caretPos);
                break;
            case VK_RIGHT:
                caretPos = GbkText::NextCharPos(text, caretPos);
                break;
            case VK_HOME:
                caretPos = 0;
                break;
            case VK_END:
                caretPos = Length(text);
                break;
            case VK_BACK:
                if (HasSelection())
                {
                    ReplaceSelection(std::string());
                }
                else
                {
                    DeleteRange(GbkText::PrevCharPos(text, caretPos), GbkText::CharStart(text, caretPos));
                }
                keepSelection = false;
                break;
            case VK_DELETE:
                if (HasSelection())
                {
                    ReplaceSelection(std::string());
                }
                else
                {
                    const int32_t at = GbkText::CharStart(text, caretPos);
                    DeleteRange(at, GbkText::NextCharPos(text, at));
                }
                keepSelection = false;
                break;
            case VK_RETURN:
                if (listener != nullptr)
                {
                    listener->EditTextEntered(id, text);
                }
                keepSelection = true;
                break;
            default:
                keepSelection = true;
                break;
        }
    }
    else if (character >= 32 && character != 255)
    {
        const auto byte = static_cast<char>(character);
        if (pendingLeadByte != 0)
        {
            const std::string pair{static_cast<char>(pendingLeadByte), byte};
            pendingLeadByte = 0;
            if (character != 127 && HasRoomFor(2))
            {
                ReplaceSelection(pair);
            }
        }
        else if (character < 128)
        {
            if (HasRoomFor(1))
            {
                ReplaceSelection(std::string(1, byte));
            }
        }
        else if (character >= 129)
        {
            pendingLeadByte = static_cast<uint8_t>(character);
            keepSelection = true;
        }
        else
        {
            keepSelection = true;
        }
    }
    else
    {
        keepSelection = true;
    }

    EnforceLimits();
    caretPos = GbkText::CharStart(text, caretPos);
    if (keepSelection && selectionAnchor >= 0)
    {
        selectionAnchor = GbkText::CharStart(text, selectionAnchor);
    }
    else
    {
        selectionAnchor = -1;
    }
    RebuildDerived();
    ScrollToCaret(false);
    if (caretPos != before.caretPos)
    {
        blinkOn = true;
        blinkCounter = 0;
    }

    if (text != before.text && listener != nullptr && !listener->AcceptText(id, text))
    {
        text = before.text;
        caretPos = before.caretPos;
        selectionAnchor = before.selectionAnchor;
        scrollPos = before.scrollPos;
        RebuildDerived();
    }
    MarkDirty();
}

void EditWidget::KeyDown(int32_t key)
{
    // Letters arrive as typed characters.
    if (key >= VK_A && key < VK_A + 26)
    {
        return;
    }
    if (listener != nullptr && !listener->AcceptKey(id, key))
    {
        return;
    }
    HandleKey(key, 0);
    if (key == VK_TAB)
    {
        Widget::KeyDown(key);
    }
}

void EditWidget::CharTyped(char character)
{
    HandleKey(0, static_cast<unsigned char>(character));
}

void EditWidget::Update()
{
    Widget::Update();
    if (!hasFocus)
    {
        return;
    }
    if (++blinkCounter > blinkDelay)
    {
        blinkOn = !blinkOn;
        blinkCounter = 0;
        MarkDirty();
    }
}

void EditWidget::GotFocus()
{
    Widget::GotFocus();
    blinkOn = true;
    blinkCounter = 0;
    MarkDirty();
    if (ControlHost* host = FindControlHost(this))
    {
        host->SetTextInputEnabled(true);
    }
}

void EditWidget::LostFocus()
{
    Widget::LostFocus();
    blinkOn = false;
    blinkCounter = 0;
    pendingLeadByte = 0;
    MarkDirty();
    if (ControlHost* host = FindControlHost(this))
    {
        host->SetTextInputEnabled(false);
    }
}

int32_t EditWidget::PositionAt(int32_t localX, int32_t)
{
    const std::string& shown = ShownText();
    const int32_t length = Length(shown);
    int32_t previous = std::min(scrollPos, length);
    int32_t previousEdge = 5;
    if (localX <= previousEdge)
    {
        return previous;
    }
    while (previous < length)
    {
        const int32_t pos = GbkText::NextCharPos(text, previous);
        const int32_t edge = ShownWidth(scrollPos, pos) + 5;
        if (edge >= localX)
        {
            return localX - previousEdge < edge - localX ? previous : pos;
        }
        previous = pos;
        previousEdge = edge;
    }
    return length;
}

void EditWidget::ScrollToCaret(bool bigJump)
{
    const int32_t step = bigJump ? 10 : 1;
    caretPos = GbkText::CharStart(text, caretPos);
    scrollPos = GbkText::CharStart(text, scrollPos);
    while (caretPos < scrollPos)
    {
        scrollPos = GbkText::CharStart(text, std::max(0, scrollPos - step));
    }
    while (scrollPos < caretPos && ShownWidth(scrollPos, caretPos) > width - 2 * kTextInset)
    {
        int32_t next = std::min(scrollPos + step, caretPos);
        if (GbkText::CharStart(text, next) != next)
        {
            next = GbkText::NextCharPos(text, next);
        }
        scrollPos = next;
    }
}

void EditWidget::MouseDown(int32_t localX, int32_t localY, int32_t, int32_t)
{
    selectionAnchor = -1;
    caretPos = PositionAt(localX, localY);
    MarkDirty();
    ScrollToCaret(false);
}

void EditWidget::MouseDrag(int32_t localX, int32_t localY)
{
    if (selectionAnchor < 0)
    {
        selectionAnchor = caretPos;
    }
    caretPos = PositionAt(localX, localY);
    if (caretPos == scrollPos && localX <= 0 && caretPos > 0)
    {
        caretPos = GbkText::PrevCharPos(text, caretPos);
    }
    ScrollToCaret(false);
    MarkDirty();
}

void EditWidget::MouseUp(int32_t, int32_t, int32_t, int32_t)
{
    if (selectionAnchor == caretPos)
    {
        selectionAnchor = -1;
    }
    MarkDirty();
}

void EditWidget::MouseEnter()
{
    SetControlCursor(this, CursorText);
}

void EditWidget::MouseLeave()
{
    SetControlCursor(this, CursorArrow);
}

void EditWidget::Draw(Graphics* g)
{
    Font* f = GetFont();
    g->SetColor(GetColor(ColorBackground));
    g->FillRect(0, 0, width, height);

    const std::string& shown = ShownText();
    const std::string fromScroll = shown.substr(static_cast<size_t>(std::clamp(scrollPos, 0, Length(shown))));
    const int32_t top = (height - f->Height()) / 2;
    const int32_t baseline = top + f->Ascent();
    const Rect textArea(kTextInset, 0, width - 2 * kTextInset, height);
    {
        Graphics pass(*g);
        pass.IntersectClip(textArea);
        pass.SetFont(f);
        pass.SetColor(GetColor(ColorText));
        pass.DrawString(fromScroll, kTextInset, baseline);
    }
    if (hasFocus)
    {
        Rect mark;
        if (HasSelection())
        {
            const int32_t from = std::max(std::min(selectionAnchor, caretPos), scrollPos);
            const int32_t to = std::max(selectionAnchor, caretPos);
            const int32_t left = kTextInset + ShownWidth(scrollPos, from);
            mark = Rect(left, top, kTextInset + ShownWidth(scrollPos, to) - left, f->Height());
        }
        else if (blinkOn)
        {
            mark = Rect(kTextInset + ShownWidth(scrollPos, caretPos), top, kCaretWidth, f->Height());
        }
        mark = mark.Intersection(textArea);
        if (!mark.IsEmpty())
        {
            Graphics pass(*g);
            pass.IntersectClip(mark);
            pass.SetColor(GetColor(ColorSelection));
            pass.FillRect(mark);
            pass.SetFont(f);
            pass.SetColor(GetColor(ColorSelectedText));
            pass.DrawString(fromScroll, kTextInset, baseline);
        }
    }
    g->SetColor(GetColor(ColorOutline));
    g->DrawRect(0, 0, width - 1, height - 1);
}

} // namespace Framework
