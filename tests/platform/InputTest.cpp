#include <SDL.h>
#include <gtest/gtest.h>

#include "framework/platform/VirtualKeys.h"

using namespace Framework;

namespace
{

TEST(VirtualKeysTest, SdlKeysMapToWindowsCodes)
{
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a), 65);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_z), 90);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_0), 48);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_9), 57);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1), 112);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_F12), 123);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_BACKSPACE), 8);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_TAB), 9);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RETURN), 13);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_ENTER), 13);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LSHIFT), 16);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RCTRL), 17);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LALT), 18);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_ESCAPE), 27);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_SPACE), 32);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_LEFT), 37);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_UP), 38);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_RIGHT), 39);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_DOWN), 40);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_HOME), 36);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_END), 35);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_DELETE), 46);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_5), 101);
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_AUDIOPLAY), 0);
    for (int32_t k : {SDLK_a, SDLK_F24, SDLK_QUOTE, SDLK_KP_0, SDLK_SCROLLLOCK})
    {
        int32_t vk = VirtualKeyFromSdl(k);
        EXPECT_TRUE(vk > 0 && vk < 255) << k;
    }
}

TEST(VirtualKeysTest, ControlCharactersComeFromKeysWithOrWithoutTextInput)
{
    EXPECT_EQ(ControlCharacterForKey(VK_BACK, false, false), 8);
    EXPECT_EQ(ControlCharacterForKey(VK_TAB, false, false), 9);
    EXPECT_EQ(ControlCharacterForKey(VK_TAB, true, false), 9) << "Ctrl+Tab reaches the widgets as Tab";
    EXPECT_EQ(ControlCharacterForKey(VK_RETURN, false, false), 13);
    EXPECT_EQ(ControlCharacterForKey(VK_A, true, false), 1);
    EXPECT_EQ(ControlCharacterForKey(VK_A + 2, true, false), 3);   // copy
    EXPECT_EQ(ControlCharacterForKey(VK_A + 21, true, false), 22); // paste
    EXPECT_EQ(ControlCharacterForKey(VK_A + 23, true, false), 24); // cut
    EXPECT_EQ(ControlCharacterForKey(VK_A + 25, true, false), 26);
    EXPECT_EQ(ControlCharacterForKey(VK_A, false, false), 0) << "plain letters come from text input";
    EXPECT_EQ(ControlCharacterForKey(VK_0, true, false), 0);
    EXPECT_EQ(ControlCharacterForKey(VK_A, true, true), 0) << "AltGr combinations type through text input";
}

} // namespace
