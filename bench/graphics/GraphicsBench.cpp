// Costs of the software drawing paths on an 800 x 600 screen image, each
// beside a memcpy of the same number of bytes measured in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageTransform.h"
#include "framework/graphics/MemoryImage.h"

using namespace Framework;

namespace
{

constexpr int32_t ScreenW = 800;
constexpr int32_t ScreenH = 600;

MemoryImage Screen()
{
    MemoryImage img;
    std::vector<uint32_t> px(size_t(ScreenW) * ScreenH, 0xFF203040u);
    img.SetPixels(px.data(), ScreenW, ScreenH, false);
    return img;
}

MemoryImage OpaqueImage(int32_t w, int32_t h)
{
    MemoryImage img;
    img.Allocate(w, h);
    for (int32_t y = 0; y < h; ++y)
    {
        for (int32_t x = 0; x < w; ++x)
        {
            img.pixels[size_t(y) * size_t(w) + size_t(x)] =
                0xFF000000u | (uint32_t(x & 0xFF) << 16) | (uint32_t(y & 0xFF) << 8) | 0x40u;
        }
    }
    img.PixelsChanged();
    return img;
}

// A 31 x 31 bubble: an opaque disc with an anti-aliased rim and a
// transparent outside, like the game's bubble sprites.
MemoryImage Bubble()
{
    MemoryImage img;
    img.Allocate(31, 31);
    for (int32_t y = 0; y < 31; ++y)
    {
        for (int32_t x = 0; x < 31; ++x)
        {
            const double d = std::hypot(x - 15.0, y - 15.0);
            const double cover = std::clamp(15.5 - d, 0.0, 1.0);
            const uint32_t a = uint32_t(cover * 255.0 + 0.5);
            img.pixels[size_t(y * 31 + x)] = a == 0 ? 0u : (a << 24) | 0x3080E0u;
        }
    }
    img.PixelsChanged();
    return img;
}

void Memcpy(benchmark::State& state, size_t bytes)
{
    std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
    for (auto _ : state)
    {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void BM_MemcpyScreen(benchmark::State& state)
{
    Memcpy(state, size_t(ScreenW) * ScreenH * 4);
}
BENCHMARK(BM_MemcpyScreen);

void BM_OpaqueBlitScreen(benchmark::State& state)
{
    MemoryImage screen = Screen();
    MemoryImage src = OpaqueImage(ScreenW, ScreenH);
    Graphics g(&screen);
    for (auto _ : state)
    {
        g.DrawImage(&src, 0, 0);
        benchmark::DoNotOptimize(screen.pixels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * ScreenW * ScreenH * 4);
}
BENCHMARK(BM_OpaqueBlitScreen);

// 240 bubbles: the whole 15 x 16 grid.
void BubbleGrid(benchmark::State& state, int32_t blendMode, bool modulate)
{
    MemoryImage screen = Screen();
    MemoryImage bubble = Bubble();
    Graphics g(&screen);
    g.blendMode = blendMode;
    if (modulate)
    {
        g.SetColorModulation(true);
        g.SetColor(Color(255, 200, 120, 180));
    }
    for (auto _ : state)
    {
        for (int32_t row = 0; row < 15; ++row)
        {
            for (int32_t col = 0; col < 16; ++col)
            {
                g.DrawImage(&bubble, 15 + col * 32 + (row & 1) * 16, 37 + row * 27);
            }
        }
        benchmark::DoNotOptimize(screen.pixels.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 240);
}

void BM_MemcpyBubbleGridBytes(benchmark::State& state)
{
    Memcpy(state, size_t(240) * 31 * 31 * 4);
}
BENCHMARK(BM_MemcpyBubbleGridBytes);

void BM_BubbleGridNormal(benchmark::State& state)
{
    BubbleGrid(state, BLENDMODE_NORMAL, false);
}
BENCHMARK(BM_BubbleGridNormal);

void BM_BubbleGridAdditive(benchmark::State& state)
{
    BubbleGrid(state, BLENDMODE_ADDITIVE, false);
}
BENCHMARK(BM_BubbleGridAdditive);

void BM_BubbleGridModulated(benchmark::State& state)
{
    BubbleGrid(state, BLENDMODE_NORMAL, true);
}
BENCHMARK(BM_BubbleGridModulated);

void BM_StretchedAvatar(benchmark::State& state)
{
    MemoryImage screen = Screen();
    MemoryImage avatar = OpaqueImage(128, 128);
    Graphics g(&screen);
    g.SetFastScaling(state.range(0) != 0);
    for (auto _ : state)
    {
        g.DrawStretched(&avatar, 100, 100, 80, 80);
        benchmark::DoNotOptimize(screen.pixels.data());
    }
}
BENCHMARK(BM_StretchedAvatar)->Arg(0)->Arg(1)->ArgName("fast");

void BM_MemcpyAvatarBytes(benchmark::State& state)
{
    Memcpy(state, size_t(80) * 80 * 4);
}
BENCHMARK(BM_MemcpyAvatarBytes);

void BM_RotatedScaledBanner(benchmark::State& state)
{
    MemoryImage screen = Screen();
    MemoryImage banner = OpaqueImage(300, 100);
    Graphics g(&screen);
    g.SetBilinear(true);
    ImageTransform t;
    t.RotateDegrees(20.0f);
    t.Scale(1.5f, 1.5f);
    for (auto _ : state)
    {
        g.DrawTransformed(&banner, t, 400.0f, 300.0f);
        benchmark::DoNotOptimize(screen.pixels.data());
    }
}
BENCHMARK(BM_RotatedScaledBanner);

void BM_MemcpyBannerBytes(benchmark::State& state)
{
    // The scaled banner covers about 450 x 150 pixels.
    Memcpy(state, size_t(450) * 150 * 4);
}
BENCHMARK(BM_MemcpyBannerBytes);

void BM_FillRectAlphaScreen(benchmark::State& state)
{
    MemoryImage screen = Screen();
    Graphics g(&screen);
    g.SetColor(Color(0, 0, 0, 128));
    for (auto _ : state)
    {
        g.FillRect(0, 0, ScreenW, ScreenH);
        benchmark::DoNotOptimize(screen.pixels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * ScreenW * ScreenH * 4);
}
BENCHMARK(BM_FillRectAlphaScreen);

} // namespace
