#include "framework/platform/VirtualKeys.h"

#include <SDL.h>

namespace Framework
{

int32_t VirtualKeyFromSdl(int32_t sdlKeycode)
{
    const SDL_Keycode k = sdlKeycode;
    if (k >= SDLK_a && k <= SDLK_z)
    {
        return VK_A + (k - SDLK_a);
    }
    if (k >= SDLK_0 && k <= SDLK_9)
    {
        return VK_0 + (k - SDLK_0);
    }
    if (k >= SDLK_F1 && k <= SDLK_F12)
    {
        return VK_F1 + (k - SDLK_F1);
    }
    if (k >= SDLK_F13 && k <= SDLK_F24)
    {
        return VK_F1 + 12 + (k - SDLK_F13);
    }
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9)
    {
        return VK_NUMPAD0 + 1 + (k - SDLK_KP_1);
    }
    switch (k)
    {
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_CLEAR:
            return VK_CLEAR;
        case SDLK_RETURN:
            return VK_RETURN;
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_PAUSE:
            return VK_PAUSE;
        case SDLK_CAPSLOCK:
            return VK_CAPITAL;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_PRINTSCREEN:
            return VK_SNAPSHOT;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_LGUI:
            return VK_LWIN;
        case SDLK_RGUI:
            return VK_RWIN;
        case SDLK_APPLICATION:
            return VK_APPS;
        case SDLK_KP_0:
            return VK_NUMPAD0;
        case SDLK_KP_MULTIPLY:
            return VK_MULTIPLY;
        case SDLK_KP_PLUS:
            return VK_ADD;
        case SDLK_KP_MINUS:
            return VK_SUBTRACT;
        case SDLK_KP_PERIOD:
            return VK_DECIMAL;
        case SDLK_KP_DIVIDE:
            return VK_DIVIDE;
        case SDLK_NUMLOCKCLEAR:
            return VK_NUMLOCK;
        case SDLK_SCROLLLOCK:
            return VK_SCROLL;
        case SDLK_SEMICOLON:
            return VK_OEM_1;
        case SDLK_EQUALS:
            return VK_OEM_PLUS;
        case SDLK_COMMA:
            return VK_OEM_COMMA;
        case SDLK_MINUS:
            return VK_OEM_MINUS;
        case SDLK_PERIOD:
            return VK_OEM_PERIOD;
        case SDLK_SLASH:
            return VK_OEM_2;
        case SDLK_BACKQUOTE:
            return VK_OEM_3;
        case SDLK_LEFTBRACKET:
            return VK_OEM_4;
        case SDLK_BACKSLASH:
            return VK_OEM_5;
        case SDLK_RIGHTBRACKET:
            return VK_OEM_6;
        case SDLK_QUOTE:
            return VK_OEM_7;
        default:
            return 0;
    }
}

int32_t ControlCharacterForKey(int32_t virtualKey, bool ctrl, bool alt)
{
    if (alt)
    {
        return 0;
    }
    switch (virtualKey)
    {
        case VK_BACK:
            return 8;
        case VK_TAB:
            return 9;
        case VK_RETURN:
            return 13;
        case VK_ESCAPE:
            return 27;
        default:
            break;
    }
    if (ctrl && virtualKey >= VK_A && virtualKey < VK_A + 26)
    {
        return virtualKey - VK_A + 1;
    }
    return 0;
}

} // namespace Framework
