// Fuzz target: a text field fed typed bytes, keys, mouse presses and pastes
// of arbitrary clipboard bytes. After every step the field keeps its limits
// (bytes, width), its caret, selection and scroll position lie on character
// boundaries, no byte below 32 starts a character, its derived flags match
// its text, and the caret is in view. Cutting a selection and pasting it
// back gives the same text whenever the clipboard's conversion keeps it
// (and it holds no typed DEL, which a paste drops).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/platform/Clipboard.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/widgets/EditListener.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/GbkText.h"
#include "framework/widgets/WidgetManager.h"
#include "tests/support/FixedWidthFont.h"

namespace
{

namespace G = Framework::GbkText;

constexpr int32_t kFieldWidth = 200;
constexpr int32_t kAdvance = 6;
constexpr char kCopy = 3;
constexpr char kPaste = 22;
constexpr char kCut = 24;

void Check(bool ok)
{
    if (!ok)
    {
        __builtin_trap();
    }
}

class MemoryClipboard : public Framework::Clipboard
{
public:
    std::string GetText() override { return contents; }
    bool SetText(const std::string& utf8) override
    {
        contents = utf8;
        return true;
    }
    std::string contents;
};

// Refuses any text holding one byte (none when 0).
class Listener : public Framework::EditListener
{
public:
    bool AcceptText(int32_t, const std::string& text) override
    {
        return refused == 0 || text.find(refused) == std::string::npos;
    }
    char refused = 0;
};

class Input
{
public:
    Input(const uint8_t* bytes, size_t count) : data(bytes), size(count) {}
    bool More() const { return pos < size; }
    uint8_t Byte() { return pos < size ? data[pos++] : 0; }
    std::string Bytes(size_t n)
    {
        n = std::min(n, size - pos);
        std::string out(reinterpret_cast<const char*>(data + pos), n);
        pos += n;
        return out;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

struct Field
{
    Field(int32_t maxBytes) : manager(nullptr), edit(1, &listener, 10, 10, kFieldWidth, 20, maxBytes)
    {
        TestSupport::FixedWidthFont font(kAdvance);
        edit.SetFont(&font);
        edit.SetClipboard(&clipboard);
        screen.Allocate(kFieldWidth + 20, 40);
        manager.width = kFieldWidth + 20;
        manager.height = 40;
        manager.screenImage = &screen;
        manager.AddWidget(&edit);
        manager.SetFocus(&edit);
    }
    ~Field() { manager.RemoveWidget(&edit); }

    bool Boundary(int32_t pos) const
    {
        const int32_t length = int32_t(edit.text.size());
        return pos == length || (pos >= 0 && pos < length && edit.doubleByteFlags[size_t(pos)] == 0);
    }

    void CheckState(int32_t widthLimit) const
    {
        const std::string& text = edit.text;
        const int32_t length = int32_t(text.size());
        Check(edit.maxBytes < 0 || length <= edit.maxBytes);
        Check(widthLimit <= 0 || length * kAdvance <= widthLimit);
        Check(edit.doubleByteFlags == G::SecondByteFlags(text));
        Check(Boundary(edit.caretPos));
        Check(edit.selectionAnchor == -1 || Boundary(edit.selectionAnchor));
        Check(Boundary(edit.scrollPos) && edit.scrollPos <= edit.caretPos);
        Check(edit.scrollPos == edit.caretPos || (edit.caretPos - edit.scrollPos) * kAdvance <= kFieldWidth - 8);
        for (size_t i = 0; i < text.size(); ++i)
        {
            const auto byte = static_cast<unsigned char>(text[i]);
            Check(edit.doubleByteFlags[i] == 1 || byte >= 32);
        }
        Check(listener.refused == 0 || text.find(listener.refused) == std::string::npos);
    }

    void Key(int32_t key, bool shift)
    {
        if (shift)
        {
            manager.KeyDown(Framework::VK_SHIFT);
        }
        manager.KeyDown(key);
        manager.KeyUp(key);
        if (shift)
        {
            manager.KeyUp(Framework::VK_SHIFT);
        }
    }

    Listener listener;
    MemoryClipboard clipboard;
    Framework::MemoryImage screen;
    Framework::WidgetManager manager;
    Framework::EditWidget edit;
};

// Cut the selection, check what went to the clipboard, paste it back.
void CutAndPasteBack(Field& f, int32_t widthLimit)
{
    if (!f.edit.HasSelection())
    {
        return;
    }
    const std::string before = f.edit.text;
    const std::string selected = f.edit.SelectedText();
    const int32_t from = std::min(f.edit.selectionAnchor, f.edit.caretPos);
    f.manager.CharTyped(kCut);
    f.CheckState(widthLimit);
    Check(f.clipboard.contents == G::ToUtf8(selected));
    std::string left = before;
    left.erase(size_t(from), selected.size());
    if (f.edit.text != left)
    {
        // Only the listener may keep the text as it was.
        Check(f.edit.text == before && f.listener.refused != 0);
        return;
    }
    Check(f.edit.caretPos == from);
    f.manager.CharTyped(kPaste);
    f.CheckState(widthLimit);
    // A paste drops DEL (127), which typing may insert.
    const std::string flags = G::SecondByteFlags(selected);
    bool hasDelete = false;
    for (size_t i = 0; i < selected.size(); ++i)
    {
        hasDelete = hasDelete || (flags[i] == 0 && selected[i] == '\x7f');
    }
    if (!hasDelete && G::FromUtf8(G::ToUtf8(selected)) == selected)
    {
        Check(f.edit.text == before);
        Check(f.edit.caretPos == from + int32_t(selected.size()));
    }
}

const int32_t kKeys[] = {Framework::VK_LEFT,    Framework::VK_RIGHT,  Framework::VK_HOME,   Framework::VK_END,
                         Framework::VK_BACK,    Framework::VK_DELETE, Framework::VK_RETURN, Framework::VK_TAB,
                         Framework::VK_CONTROL, Framework::VK_A + 1};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 2048)
    {
        return 0;
    }
    Input in(data, size);
    const uint8_t limits = in.Byte();
    const uint8_t widths = in.Byte();
    const uint8_t other = in.Byte();
    Field f(limits == 0xFF ? -1 : limits % 41);
    int32_t widthLimit = -1;
    if ((widths & 0x80) != 0)
    {
        // A second font the text must fit, as the name fields use.
        TestSupport::FixedWidthFont check(kAdvance);
        f.edit.AddWidthCheckFont(&check, (widths & 0x7F) + 1);
        widthLimit = (widths & 0x7F) + 1;
    }
    else if (widths != 0)
    {
        f.edit.maxWidth = widths;
        widthLimit = widths;
    }
    f.edit.maskChar = (other & 1) != 0 ? '*' : 0;
    f.listener.refused = static_cast<char>(other >> 1);

    while (in.More())
    {
        const uint8_t op = in.Byte();
        switch (op % 8)
        {
            case 0:
            case 1:
                f.manager.CharTyped(static_cast<char>(in.Byte()));
                break;
            case 2:
            {
                const uint8_t k = in.Byte();
                f.Key(kKeys[k % std::size(kKeys)], (k & 0x80) != 0);
                break;
            }
            case 3:
                f.clipboard.contents = in.Bytes(in.Byte() % 64);
                f.manager.CharTyped(kPaste);
                break;
            case 4:
            {
                // Copying or cutting nothing leaves the clipboard alone.
                const std::string held =
                    f.edit.HasSelection() ? G::ToUtf8(f.edit.SelectedText()) : f.clipboard.contents;
                f.manager.CharTyped(op & 0x80 ? kCut : kCopy);
                Check(f.clipboard.contents == held);
                break;
            }
            case 5:
                CutAndPasteBack(f, widthLimit);
                break;
            case 6:
            {
                const int32_t down = in.Byte() - 8;
                const int32_t drag = in.Byte() - 8;
                f.edit.MouseDown(down, 10, 1, 1);
                f.CheckState(widthLimit);
                f.edit.MouseDrag(drag, 10);
                f.edit.MouseUp(drag, 10, 1, 1);
                break;
            }
            default:
            {
                f.edit.Update();
                Framework::Graphics g(&f.screen);
                g.Translate(f.edit.x, f.edit.y);
                f.edit.Draw(&g);
                break;
            }
        }
        f.CheckState(widthLimit);
    }
    return 0;
}
