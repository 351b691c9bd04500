// The SDL platform on SDL's headless "dummy" driver: events pushed into SDL's
// queue come out in the widget layer's form, and presented pictures land in
// the window surface exactly (scaled and letterboxed in full screen).
#include "framework/platform/SdlPlatform.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "framework/platform/Letterbox.h"

using namespace Framework;

namespace
{

class SdlPlatformTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::string error;
        ASSERT_TRUE(platform.InitVideo(error)) << error;
    }

    void Create(bool fullScreen)
    {
        WindowSpec spec;
        spec.caption = "test";
        spec.fullScreen = fullScreen;
        std::string error;
        ASSERT_TRUE(platform.CreateMainWindow(spec, error)) << error;
        window = SDL_GetWindowFromID(1);
        for (uint32_t id = 1; id < 64 && !window; ++id)
        {
            window = SDL_GetWindowFromID(id);
        }
        ASSERT_NE(window, nullptr);
        Drain();
    }

    void Drain()
    {
        std::vector<InputEvent> in;
        std::vector<WindowEvent> win;
        platform.PumpEvents(in, win);
    }

    void Push(SDL_Event e)
    {
        if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP)
        {
            e.button.windowID = SDL_GetWindowID(window);
        }
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP)
        {
            e.key.windowID = SDL_GetWindowID(window);
        }
        SDL_PushEvent(&e);
    }

    static SDL_Event Button(bool down, uint8_t button, uint8_t clicks, int x, int y)
    {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.button = button;
        e.button.clicks = clicks;
        e.button.x = x;
        e.button.y = y;
        e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        return e;
    }

    static SDL_Event Key(bool down, SDL_Keycode key, uint16_t mod)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = key;
        e.key.keysym.mod = mod;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        return e;
    }

    SdlPlatform platform;
    SDL_Window* window = nullptr;
};

using T = InputEvent::Type;

TEST_F(SdlPlatformTest, MouseButtonsBecomeMovesThenPressesWithClickCounts)
{
    Create(false);
    Push(Button(true, SDL_BUTTON_LEFT, 1, 10, 20));
    Push(Button(true, SDL_BUTTON_LEFT, 3, 11, 21)); // a triple click is a double
    Push(Button(false, SDL_BUTTON_LEFT, 3, 11, 21));
    Push(Button(true, SDL_BUTTON_RIGHT, 2, 12, 22));
    Push(Button(false, SDL_BUTTON_RIGHT, 2, 12, 22));
    Push(Button(true, SDL_BUTTON_MIDDLE, 1, 13, 23));
    Push(Button(true, SDL_BUTTON_X1, 1, 14, 24)); // no toolkit button: dropped
    std::vector<InputEvent> in;
    std::vector<WindowEvent> win;
    platform.PumpEvents(in, win);
    const std::vector<std::pair<T, int32_t>> expected = {{T::MouseMove, 0}, {T::MouseDown, 1},  {T::MouseMove, 0},
                                                         {T::MouseDown, 2}, {T::MouseMove, 0},  {T::MouseUp, 1},
                                                         {T::MouseMove, 0}, {T::MouseDown, -2}, {T::MouseMove, 0},
                                                         {T::MouseUp, -1},  {T::MouseMove, 0},  {T::MouseDown, 3}};
    ASSERT_EQ(in.size(), expected.size());
    for (size_t i = 0; i < in.size(); ++i)
    {
        EXPECT_EQ(in[i].type, expected[i].first) << i;
        EXPECT_EQ(in[i].clickCount, expected[i].second) << i;
    }
    EXPECT_EQ(in[0].x, 10);
    EXPECT_EQ(in[1].y, 20) << "the press carries its position";
}

TEST_F(SdlPlatformTest, KeysGiveVirtualCodesAndControlCharacters)
{
    Create(false);
    Push(Key(true, SDLK_TAB, KMOD_NONE));
    Push(Key(true, SDLK_c, KMOD_LCTRL));
    Push(Key(true, SDLK_a, KMOD_NONE)); // typed text would come from text input
    Push(Key(false, SDLK_a, KMOD_NONE));
    Push(Key(true, SDLK_RETURN, KMOD_LALT)); // Alt+Enter switches the mode
    std::vector<InputEvent> in;
    std::vector<WindowEvent> win;
    platform.PumpEvents(in, win);
    ASSERT_EQ(in.size(), 6u);
    EXPECT_EQ(in[0].type, T::KeyDown);
    EXPECT_EQ(in[0].key, 9);
    EXPECT_EQ(in[1].type, T::CharTyped);
    EXPECT_EQ(in[1].key, 9);
    EXPECT_EQ(in[2].key, 67);
    EXPECT_EQ(in[3].type, T::CharTyped);
    EXPECT_EQ(in[3].key, 3) << "Ctrl+C is character 3 (copy)";
    EXPECT_EQ(in[4].type, T::KeyDown);
    EXPECT_EQ(in[4].key, 65);
    EXPECT_EQ(in[5].type, T::KeyUp);
    ASSERT_EQ(win.size(), 1u);
    EXPECT_EQ(win[0].type, WindowEvent::Type::ToggleFullScreen);
}

TEST_F(SdlPlatformTest, TypedTextArrivesAsGbkBytes)
{
    Create(false);
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = SDL_GetWindowID(window);
    std::strcpy(e.text.text, "a\xE4\xB8\xAD\xF0\x9F\x98\x80z"); // a, U+4E2D, an emoji GBK lacks, z
    SDL_PushEvent(&e);
    std::vector<InputEvent> in;
    std::vector<WindowEvent> win;
    platform.PumpEvents(in, win);
    std::vector<int32_t> bytes;
    for (const InputEvent& i : in)
    {
        EXPECT_EQ(i.type, T::CharTyped);
        bytes.push_back(i.key);
    }
    EXPECT_EQ(bytes, (std::vector<int32_t>{'a', 0xD6, 0xD0, 'z'}));
}

TEST_F(SdlPlatformTest, PresentedRectanglesLandExactlyInTheSurface)
{
    for (bool fullScreen : {false, true})
    {
        Create(fullScreen);
        const int32_t w = 800, h = 600;
        std::vector<uint32_t> picture(size_t(w) * h);
        for (size_t i = 0; i < picture.size(); ++i)
        {
            picture[i] = 0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
        }
        ASSERT_TRUE(platform.Present(picture.data(), w, h, w, {}));
        // Change two regions and present only them.
        for (int32_t y = 100; y < 140; ++y)
        {
            for (int32_t x = 50; x < 90; ++x)
            {
                picture[size_t(y) * w + size_t(x)] = 0xFF123456u;
            }
        }
        picture[size_t(599) * w + 799] = 0xFFFFFFFFu;
        ASSERT_TRUE(platform.Present(picture.data(), w, h, w, {{50, 100, 40, 40}, {799, 599, 1, 1}}));

        SDL_Surface* surface = SDL_GetWindowSurface(window);
        ASSERT_NE(surface, nullptr);
        ASSERT_EQ(surface->format->BytesPerPixel, 4);
        std::vector<uint32_t> expected(size_t(surface->w) * size_t(surface->h), 0);
        LetterboxPlacement p = ComputeLetterbox(w, h, surface->w, surface->h);
        int32_t ox, oy, ow, oh;
        ScaleRect(picture.data(), w, h, w, 0, 0, w, h, expected.data(), surface->w, p, ox, oy, ow, oh);
        if (!fullScreen)
        {
            EXPECT_EQ(surface->w, 800);
        }
        int mismatches = 0;
        for (int32_t y = 0; y < surface->h; ++y)
        {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                                                int64_t(y) * surface->pitch);
            for (int32_t x = 0; x < surface->w; ++x)
            {
                mismatches +=
                    (row[x] & 0xFFFFFFu) != (expected[size_t(y) * size_t(surface->w) + size_t(x)] & 0xFFFFFFu);
            }
        }
        EXPECT_EQ(mismatches, 0) << (fullScreen ? "full screen" : "window");
    }
}

} // namespace

namespace
{

TEST(SdlPlatformThreadTest, MessageBoxesFromOtherThreadsAreShownByTheMainThread)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    Framework::SdlPlatform platform;
    std::string error;
    ASSERT_TRUE(platform.InitVideo(error));
    std::atomic<int32_t> answer{0};
    std::thread worker([&] { answer = platform.ShowMessageBox("from the loader", "Note", Framework::MB_YESNO); });
    // The worker waits until the main thread carries the request out.
    for (int i = 0; i < 2000 && answer == 0; ++i)
    {
        platform.ProcessRequests();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker.join();
    EXPECT_EQ(answer, Framework::IDYES) << "without a display the default button answers";
}

} // namespace

namespace
{

TEST(SdlPlatformTextInputTest, AFieldFocusedBeforeTheDisplayIsUpGetsTypedText)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    {
        Framework::SdlPlatform platform;
        platform.SetTextInput(true); // the field took the focus while the screens were built
        std::string error;
        ASSERT_TRUE(platform.InitVideo(error)) << error;
        EXPECT_EQ(SDL_IsTextInputActive(), SDL_TRUE);
        platform.SetTextInput(false);
        EXPECT_EQ(SDL_IsTextInputActive(), SDL_FALSE);
    }
    {
        Framework::SdlPlatform platform;
        std::string error;
        ASSERT_TRUE(platform.InitVideo(error)) << error;
        EXPECT_EQ(SDL_IsTextInputActive(), SDL_FALSE) << "off until a field asks";
    }
}

} // namespace
