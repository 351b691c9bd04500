// VirtualKeys: the Windows-style virtual-key codes (0..254) the widget layer
// works with, and the mapping from SDL key codes. Pure; any thread.
#pragma once

#include <cstdint>

namespace Framework
{

enum VirtualKey : int32_t
{
    VK_NONE = 0,
    VK_LBUTTON = 1,
    VK_RBUTTON = 2,
    VK_MBUTTON = 4,
    VK_BACK = 8,
    VK_TAB = 9,
    VK_CLEAR = 12,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_CAPITAL = 20,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_SNAPSHOT = 44,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_0 = 48, // '0'..'9' are 48..57
    VK_A = 65, // 'A'..'Z' are 65..90
    VK_LWIN = 91,
    VK_RWIN = 92,
    VK_APPS = 93,
    VK_NUMPAD0 = 96, // 96..105
    VK_MULTIPLY = 106,
    VK_ADD = 107,
    VK_SUBTRACT = 109,
    VK_DECIMAL = 110,
    VK_DIVIDE = 111,
    VK_F1 = 112, // F1..F24 are 112..135
    VK_NUMLOCK = 144,
    VK_SCROLL = 145,
    VK_OEM_1 = 186,      // ;:
    VK_OEM_PLUS = 187,   // =+
    VK_OEM_COMMA = 188,  // ,<
    VK_OEM_MINUS = 189,  // -_
    VK_OEM_PERIOD = 190, // .>
    VK_OEM_2 = 191,      // /?
    VK_OEM_3 = 192,      // `~
    VK_OEM_4 = 219,      // [{
    VK_OEM_5 = 220,      // \|
    VK_OEM_6 = 221,      // ]}
    VK_OEM_7 = 222,      // '"
};

// The virtual key of an SDL key code (SDL_Keycode), 0 for keys without one.
int32_t VirtualKeyFromSdl(int32_t sdlKeycode);

// The control character a key press produces beside (or without) text
// input: Backspace 8, Tab 9, Enter 13, Escape 27, Ctrl+A..Ctrl+Z 1..26;
// 0 for none. ctrl: a Control key is held; alt: an Alt key is held.
int32_t ControlCharacterForKey(int32_t virtualKey, bool ctrl, bool alt);

} // namespace Framework
