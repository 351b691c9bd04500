// Costs of the standard controls on their hot paths: typing a 12-byte
// Chinese name into a text field (limits, scrolling and the edit checks per
// byte), drawing the focused field with a selection in its default texture
// font, and drawing a strip button while its over frame fades in; beside a
// memcpy of the field's pixels (200 x 24 words) as the reference.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/WidgetManager.h"

using namespace Framework;

namespace
{

// Six GBK characters: twelve bytes.
const std::string kName = "\xD5\xC5\xC8\xFD\xC0\xEE\xCB\xC4\xCD\xF5\xCE\xE5";

struct Screen
{
    Screen()
    {
        image.Allocate(800, 600);
        manager.width = 800;
        manager.height = 600;
        manager.screenImage = &image;
    }
    MemoryImage image;
    WidgetManager manager;
};

void BM_MemcpyFieldPixels(benchmark::State& state)
{
    std::vector<uint32_t> from(200 * 24, 0xFF336699u);
    std::vector<uint32_t> to(from.size());
    for (auto _ : state)
    {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyFieldPixels);

void BM_TypeTwelveByteName(benchmark::State& state)
{
    Screen screen;
    EditListener listener;
    EditWidget field(1, &listener, 100, 100, 200, 24, 24);
    field.maxWidth = 190;
    screen.manager.AddWidget(&field);
    screen.manager.SetFocus(&field);
    for (auto _ : state)
    {
        field.SetText(std::string());
        for (char c : kName)
        {
            screen.manager.CharTyped(c);
        }
        benchmark::DoNotOptimize(field.text.data());
    }
}
BENCHMARK(BM_TypeTwelveByteName);

void BM_DrawFocusedFieldWithSelection(benchmark::State& state)
{
    Screen screen;
    EditListener listener;
    EditWidget field(1, &listener, 100, 100, 200, 24, 24);
    screen.manager.AddWidget(&field);
    screen.manager.SetFocus(&field);
    field.SetText(kName);
    Graphics g(&screen.image);
    g.Translate(field.x, field.y);
    field.Draw(&g); // glyphs built once
    for (auto _ : state)
    {
        Graphics pass(g);
        field.Draw(&pass);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawFocusedFieldWithSelection);

void BM_DrawFadingStripButton(benchmark::State& state)
{
    Screen screen;
    MemoryImage strip;
    strip.Allocate(440, 30);
    uint32_t* pixels = strip.GetPixels();
    for (int32_t i = 0; i < 440 * 30; ++i)
    {
        pixels[i] = 0xFF000000u | static_cast<uint32_t>((i % 440) / 110 * 0x402010);
    }
    strip.PixelsChanged();
    ButtonListener listener;
    ButtonWidget button(1, &listener);
    SetButtonImages(&button, &strip, 110, 30, true);
    button.hoverFade = 0.5;
    Graphics g(&screen.image);
    g.Translate(300, 300);
    for (auto _ : state)
    {
        Graphics pass(g);
        button.Draw(&pass);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawFadingStripButton);

} // namespace
