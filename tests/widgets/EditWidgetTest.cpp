#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <random>

#include "framework/platform/VirtualKeys.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/GbkText.h"
#include "support/FixedWidthFont.h"
#include "widgets/ControlsTestSupport.h"

using namespace Framework;
using TestSupport::ControlScreen;
using TestSupport::FixedWidthFont;
using TestSupport::MemoryClipboard;
using TestSupport::RecordingListener;

namespace
{

// "中" and "文" in GBK.
const std::string kZhong = "\xD6\xD0";
const std::string kWen = "\xCE\xC4";

// A focused 200 x 20 field at (100, 100) with a 6-pixel fixed-width font:
// the boundary after n characters (from the scroll position) lies at 6n + 5.
struct EditFixture : ::testing::Test
{
    explicit EditFixture(int32_t maxBytes = 12) : edit(5, &listener, 100, 100, 200, 20, maxBytes)
    {
        FixedWidthFont font(6);
        edit.SetFont(&font);
        edit.SetClipboard(&clipboard);
        screen.manager.AddWidget(&edit);
        screen.manager.SetFocus(&edit);
    }

    void Type(const std::string& bytes)
    {
        for (char c : bytes)
        {
            screen.manager.CharTyped(c);
        }
    }
    void Key(int32_t key)
    {
        screen.manager.KeyDown(key);
        screen.manager.KeyUp(key);
    }
    void ShiftKey(int32_t key)
    {
        screen.manager.KeyDown(VK_SHIFT);
        Key(key);
        screen.manager.KeyUp(VK_SHIFT);
    }

    ControlScreen screen;
    RecordingListener listener;
    MemoryClipboard clipboard;
    EditWidget edit;
};

} // namespace

TEST_F(EditFixture, TypingStopsAtTheByteLimit)
{
    Type("abcdefghijklmn");
    EXPECT_EQ(edit.text, "abcdefghijkl");
    EXPECT_EQ(edit.caretPos, 12);
}

TEST_F(EditFixture, DoubleByteNeedsRoomForBothBytes)
{
    Type("abcdefghijk");
    Type(kZhong);
    EXPECT_EQ(edit.text, "abcdefghijk") << "a double-byte character does not fit in one byte";
    EXPECT_EQ(edit.pendingLeadByte, 0);
    Type("z");
    EXPECT_EQ(edit.text, "abcdefghijkz");
}

TEST_F(EditFixture, DoubleByteCharacterIsInsertedDeletedAndSkippedAsOneUnit)
{
    Type("a");
    Type(kZhong.substr(0, 1));
    EXPECT_EQ(edit.text, "a") << "the first byte waits for the second";
    Type(kZhong.substr(1));
    Type("b");
    EXPECT_EQ(edit.text, "a" + kZhong + "b");
    EXPECT_EQ(edit.doubleByteFlags, std::string("\0\0\1\0", 4));

    Key(VK_LEFT);
    EXPECT_EQ(edit.caretPos, 3);
    Key(VK_LEFT);
    EXPECT_EQ(edit.caretPos, 1) << "Left steps over both bytes";
    Key(VK_RIGHT);
    EXPECT_EQ(edit.caretPos, 3);
    Key(VK_BACK);
    EXPECT_EQ(edit.text, "ab");
    EXPECT_EQ(edit.caretPos, 1);

    Type(kWen);
    Key(VK_LEFT);
    Key(VK_DELETE);
    EXPECT_EQ(edit.text, "ab");
    EXPECT_EQ(edit.caretPos, 1);
}

TEST_F(EditFixture, SecondByteDeleteAndIgnoredBytes)
{
    Type("\x80");
    Type("\xFF");
    EXPECT_EQ(edit.text, "");
    // A lead byte followed by 127 drops both.
    Type("\xD6\x7F");
    Type("x");
    EXPECT_EQ(edit.text, "x");
}

TEST_F(EditFixture, ShiftWithCursorKeysSelectsAndTypingReplaces)
{
    Type("ab" + kZhong + "cd");
    Key(VK_HOME);
    Key(VK_RIGHT);
    ShiftKey(VK_RIGHT);
    ShiftKey(VK_RIGHT);
    EXPECT_EQ(edit.selectionAnchor, 1);
    EXPECT_EQ(edit.caretPos, 4);
    EXPECT_EQ(edit.SelectedText(), "b" + kZhong);
    Type("X");
    EXPECT_EQ(edit.text, "aXcd");
    EXPECT_EQ(edit.selectionAnchor, -1);

    ShiftKey(VK_END);
    EXPECT_EQ(edit.SelectedText(), "cd");
    Key(VK_LEFT);
    EXPECT_FALSE(edit.HasSelection()) << "moving without Shift drops the selection";
    ShiftKey(VK_HOME);
    EXPECT_EQ(edit.SelectedText(), "aXc");
    Key(VK_BACK);
    EXPECT_EQ(edit.text, "d");
}

TEST_F(EditFixture, MouseSelectsByDragAndClickPlacesTheCaret)
{
    Type("abcdef");
    // Field x 100: boundaries at local 5, 11, 17, 23 ...
    screen.manager.MouseMove(112, 110);
    screen.manager.MouseDown(112, 110, 1);
    EXPECT_EQ(edit.caretPos, 1) << "12 is nearer to 11 than to 17";
    screen.manager.MouseMove(121, 110);
    EXPECT_EQ(edit.selectionAnchor, 1);
    EXPECT_EQ(edit.caretPos, 3);
    screen.manager.MouseUp(121, 110, 1);
    EXPECT_EQ(edit.SelectedText(), "bc");

    // A click without a drag leaves no empty selection behind.
    screen.Click(290, 110);
    EXPECT_EQ(edit.caretPos, 6);
    EXPECT_EQ(edit.selectionAnchor, -1);
    screen.Click(101, 110);
    EXPECT_EQ(edit.caretPos, 0);
}

TEST_F(EditFixture, MousePositionsNeverSplitADoubleByteCharacter)
{
    Type(kZhong + kWen);
    for (int32_t x = 100; x < 140; ++x)
    {
        screen.Click(x, 110);
        EXPECT_EQ(edit.caretPos % 2, 0) << "at x " << x;
    }
}

TEST_F(EditFixture, KeysThatAlsoArriveAsCharactersActOnce)
{
    // The platform sends a key code and a control character for Backspace,
    // Enter and Ctrl+letters.
    Type("name");
    screen.manager.KeyDown(VK_BACK);
    screen.manager.CharTyped('\b');
    EXPECT_EQ(edit.text, "nam");
    screen.manager.KeyDown(VK_RETURN);
    screen.manager.CharTyped('\r');
    EXPECT_EQ(listener.Count("entered 5 nam"), 1);
    EXPECT_EQ(edit.text, "nam");

    clipboard.contents = "e";
    screen.manager.KeyDown(VK_CONTROL);
    screen.manager.KeyDown('V');
    screen.manager.CharTyped('\x16');
    screen.manager.KeyUp('V');
    screen.manager.KeyUp(VK_CONTROL);
    EXPECT_EQ(edit.text, "name");
}

TEST_F(EditFixture, TabMovesTheFocusAlongTheTabOrder)
{
    EditWidget next(6, &listener, 100, 130, 200, 20, 12);
    screen.manager.AddWidget(&next);
    edit.nextInTabOrder = &next;
    next.prevInTabOrder = &edit;
    screen.manager.KeyDown(VK_TAB);
    screen.manager.CharTyped('\t');
    EXPECT_EQ(screen.manager.focusWidget, &next);
    EXPECT_EQ(next.text, "");
    screen.manager.KeyDown(VK_SHIFT);
    screen.manager.KeyDown(VK_TAB);
    EXPECT_EQ(screen.manager.focusWidget, &edit);
}

TEST_F(EditFixture, RefusedTextUndoesTheEdit)
{
    Type("abc");
    Key(VK_LEFT);
    listener.refusedByte = 'x';
    Type("x");
    EXPECT_EQ(edit.text, "abc");
    EXPECT_EQ(edit.caretPos, 2);

    // With a selection: the selection comes back too.
    ShiftKey(VK_HOME);
    Type("x");
    EXPECT_EQ(edit.text, "abc");
    EXPECT_EQ(edit.selectionAnchor, 2);
    EXPECT_EQ(edit.caretPos, 0);
}

TEST_F(EditFixture, RefusedKeyIsDroppedAndLettersComeOnlyAsCharacters)
{
    Type("ab");
    listener.refusedKey = VK_BACK;
    Key(VK_BACK);
    EXPECT_EQ(edit.text, "ab");
    Key(VK_A);
    EXPECT_EQ(edit.text, "ab");
}

TEST_F(EditFixture, SetTextSelectsEverythingSoTypingReplacesIt)
{
    edit.SetText("abcdefghijkl");
    EXPECT_EQ(edit.caretPos, 12);
    EXPECT_EQ(edit.selectionAnchor, 0);
    Type("z");
    EXPECT_EQ(edit.text, "z") << "a full field whose text is selected takes a character";
}

TEST_F(EditFixture, CopyCutAndPasteGoThroughTheClipboardInUtf8)
{
    edit.SetText("a" + kZhong + kWen);
    Type("\x03");
    EXPECT_EQ(clipboard.contents, "a\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_TRUE(edit.HasSelection()) << "copy keeps the selection";
    Type("\x18");
    EXPECT_EQ(edit.text, "");
    Type("\x16");
    EXPECT_EQ(edit.text, "a" + kZhong + kWen);
    EXPECT_EQ(edit.caretPos, 5);

    clipboard.contents = "xy\r\nsecond";
    Key(VK_HOME);
    Type("\x16");
    EXPECT_EQ(edit.text, "xya" + kZhong + kWen) << "only the first line";
    EXPECT_EQ(edit.caretPos, 2);
}

TEST_F(EditFixture, PasteThatDoesNotFitChangesNothing)
{
    Type("abcdefgh");
    clipboard.contents = "\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD";
    Type("\x16");
    EXPECT_EQ(edit.text, "abcdefgh");
    clipboard.contents = "t\tb\x01";
    Type("\x16");
    EXPECT_EQ(edit.text, "abcdefghtb") << "control bytes are not pasted";
}

TEST_F(EditFixture, TextWiderThanMaxWidthLosesWholeCharacters)
{
    edit.maxWidth = 30; // five characters of 6 pixels
    Type("abcd");
    Type(kZhong);
    EXPECT_EQ(edit.text, "abcd") << "no lone first byte is left behind";
    Type("e");
    Type("f");
    EXPECT_EQ(edit.text, "abcde");
}

TEST_F(EditFixture, WidthCheckFontsUseTheirOwnWidthOrMaxWidth)
{
    FixedWidthFont wide(10);
    edit.AddWidthCheckFont(&wide, 40);
    Type("abcdef");
    EXPECT_EQ(edit.text, "abcd");

    // A width-check font without a width and no maxWidth limits nothing.
    FixedWidthFont font(6);
    edit.SetFont(&font, &wide);
    Type("ef");
    EXPECT_EQ(edit.text, "abcdef");
    edit.maxWidth = 30;
    Type("g");
    EXPECT_EQ(edit.text, "abc");
}

TEST(EditWidget, FieldWithoutByteLimitTakesLongText)
{
    ControlScreen screen;
    RecordingListener listener;
    EditWidget edit(1, &listener, 0, 0, 100, 20, -1);
    FixedWidthFont font(6);
    edit.SetFont(&font);
    screen.manager.AddWidget(&edit);
    screen.manager.SetFocus(&edit);
    for (int i = 0; i < 300; ++i)
    {
        screen.manager.CharTyped('a');
    }
    EXPECT_EQ(edit.text.size(), 300u);
}

TEST_F(EditFixture, ScrollingKeepsTheCaretInTheTextArea)
{
    edit.Resize(100, 100, 40, 20); // text area 32 pixels: five characters
    Type("abcdefghij");
    EXPECT_EQ(edit.scrollPos, 5);
    Key(VK_HOME);
    EXPECT_EQ(edit.scrollPos, 0);
    Key(VK_END);
    EXPECT_EQ(edit.scrollPos, 5);

    edit.SetText(kZhong + kZhong + kZhong + kZhong, false);
    EXPECT_EQ(edit.scrollPos % 2, 0);
    EXPECT_LE((edit.caretPos - edit.scrollPos) * 6, 32);
}

TEST_F(EditFixture, DraggingLeftOfTheFieldScrollsBack)
{
    edit.Resize(100, 100, 40, 20);
    Type("abcdefghij");
    ASSERT_EQ(edit.scrollPos, 5);
    screen.manager.MouseMove(102, 110);
    screen.manager.MouseDown(102, 110, 1);
    EXPECT_EQ(edit.caretPos, 5);
    screen.manager.MouseMove(90, 110);
    screen.manager.MouseMove(89, 110);
    EXPECT_EQ(edit.caretPos, 3);
    EXPECT_EQ(edit.scrollPos, 3);
    screen.manager.MouseUp(89, 110, 1);
    EXPECT_EQ(edit.SelectedText(), "de");
}

TEST_F(EditFixture, CaretBlinksWhileFocusedAndTextInputFollowsFocus)
{
    EXPECT_TRUE(screen.host.textInput);
    EXPECT_TRUE(edit.blinkOn);
    for (int i = 0; i < 40; ++i)
    {
        screen.manager.RunUpdatePass();
    }
    EXPECT_TRUE(edit.blinkOn);
    screen.manager.RunUpdatePass();
    EXPECT_FALSE(edit.blinkOn);
    screen.manager.SetFocus(nullptr);
    EXPECT_FALSE(screen.host.textInput);
    EXPECT_FALSE(edit.blinkOn);

    // A focused field destroyed while shown turns the text input off too.
    auto other = std::make_unique<EditWidget>(2, &listener, 0, 0, 50, 20, 8);
    screen.manager.AddWidget(other.get());
    screen.manager.SetFocus(other.get());
    EXPECT_TRUE(screen.host.textInput);
    other.reset();
    EXPECT_FALSE(screen.host.textInput);
    EXPECT_EQ(screen.manager.focusWidget, nullptr);
}

TEST_F(EditFixture, PointerShowsTheTextCursor)
{
    screen.manager.MouseMove(110, 110);
    EXPECT_EQ(screen.host.cursors.back(), 3);
    screen.manager.MouseMove(400, 400);
    EXPECT_EQ(screen.host.cursors.back(), 0);
}

TEST_F(EditFixture, DrawsSelectionInvertedWithinTheOutline)
{
    Type("abc");
    Key(VK_LEFT);
    ShiftKey(VK_LEFT);
    // "b" selected: x 4 + 6 .. 4 + 12 of the field; glyph blocks 5 wide.
    screen.DrawWidget(edit);
    const int32_t baseY = 100 + 6 + 4; // top of the font box 5, glyph rows 6..13
    EXPECT_EQ(screen.Pixel(100, 100), 0xFF000000u) << "outline";
    EXPECT_EQ(screen.Pixel(102, 102), 0xFFFFFFFFu) << "background";
    EXPECT_EQ(screen.Pixel(104, baseY), 0xFF000000u) << "unselected glyph";
    EXPECT_EQ(screen.Pixel(110, baseY), 0xFFFFFFFFu) << "selected glyph";
    EXPECT_EQ(screen.Pixel(115, baseY), 0xFF000000u) << "selection fill";
    EXPECT_EQ(screen.Pixel(116, baseY), 0xFF000000u) << "next glyph";
    EXPECT_EQ(screen.Pixel(121, baseY), 0xFFFFFFFFu) << "gap after it";

    edit.maskChar = '*';
    screen.DrawWidget(edit);
    auto* font = static_cast<FixedWidthFont*>(edit.font.get());
    EXPECT_EQ(font->calls.back().text, "***");
}

// A long seeded run of mixed typing, editing keys, clipboard use and mouse
// selection; after every event the field must be consistent.
TEST_F(EditFixture, RandomEditingKeepsTheFieldConsistent)
{
    edit.Resize(100, 100, 60, 20); // text area 52 pixels: scrolling happens
    std::mt19937 random(20261209);
    const int32_t keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_BACK, VK_DELETE, VK_RETURN};
    bool shiftDown = false;
    bool mouseDown = false;
    for (int step = 0; step < 20000; ++step)
    {
        const uint32_t kind = random() % 12;
        if (kind < 4)
        {
            screen.manager.CharTyped(static_cast<char>(32 + random() % 95));
        }
        else if (kind < 6)
        {
            screen.manager.CharTyped(static_cast<char>(0x81 + random() % 0x7E));
            screen.manager.CharTyped(static_cast<char>(0x40 + random() % 0xBF));
        }
        else if (kind < 8)
        {
            Key(keys[random() % std::size(keys)]);
        }
        else if (kind == 8)
        {
            shiftDown = !shiftDown;
            shiftDown ? screen.manager.KeyDown(VK_SHIFT) : screen.manager.KeyUp(VK_SHIFT);
        }
        else if (kind == 9)
        {
            const char clipboardChars[] = {'\x03', '\x18', '\x16'};
            screen.manager.CharTyped(clipboardChars[random() % 3]);
        }
        else
        {
            const int32_t px = 90 + static_cast<int32_t>(random() % 80);
            if (!mouseDown)
            {
                screen.manager.MouseMove(px, 110);
                screen.manager.MouseDown(px, 110, 1);
            }
            else
            {
                screen.manager.MouseMove(px, 110);
                screen.manager.MouseUp(px, 110, 1);
            }
            mouseDown = !mouseDown;
        }

        const std::string& text = edit.text;
        const int32_t length = static_cast<int32_t>(text.size());
        ASSERT_LE(length, 12) << "step " << step;
        for (int32_t i = 0; i < length; ++i)
        {
            if (GbkText::IsLeadByte(text[size_t(i)]))
            {
                ASSERT_LT(i + 1, length) << "lone first byte at step " << step;
                ++i;
            }
        }
        ASSERT_EQ(edit.doubleByteFlags, GbkText::SecondByteFlags(text)) << "step " << step;
        ASSERT_EQ(GbkText::CharStart(text, edit.caretPos), edit.caretPos) << "step " << step;
        ASSERT_LE(edit.caretPos, length);
        ASSERT_EQ(GbkText::CharStart(text, edit.scrollPos), edit.scrollPos) << "step " << step;
        ASSERT_LE(edit.scrollPos, edit.caretPos) << "step " << step;
        ASSERT_LE((edit.caretPos - edit.scrollPos) * 6, 52) << "step " << step;
        if (edit.selectionAnchor >= 0)
        {
            ASSERT_LE(edit.selectionAnchor, length) << "step " << step;
            ASSERT_EQ(GbkText::CharStart(text, edit.selectionAnchor), edit.selectionAnchor) << "step " << step;
        }
    }
}
