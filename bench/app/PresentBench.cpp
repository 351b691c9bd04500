// Costs of the present path: finding the changed parts of a frame and scaling
// them into a full-screen surface, each beside a copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "framework/graphics/DisplayChangeFinder.h"
#include "framework/platform/Letterbox.h"

namespace
{

constexpr int32_t W = 800, H = 600;

// Reference: copying one whole 800 x 600 frame.
void BM_CopyFrame(benchmark::State& state)
{
    std::vector<uint32_t> a(size_t(W) * H, 1), b(size_t(W) * H);
    for (auto _ : state)
    {
        std::memcpy(b.data(), a.data(), a.size() * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 4);
}
BENCHMARK(BM_CopyFrame);

// A typical frame: a few small regions moved (the shot, a score, an effect).
void BM_FindChanges(benchmark::State& state)
{
    std::vector<uint32_t> frame(size_t(W) * H, 0xFF203040u);
    Framework::DisplayChangeFinder finder;
    bool whole = false;
    finder.Find(frame.data(), W, H, W, whole);
    uint32_t n = 0;
    for (auto _ : state)
    {
        ++n;
        for (int k = 0; k < 3; ++k)
        {
            const int32_t x = int32_t((n * 37 + k * 211) % (W - 31)), y = int32_t((n * 13 + k * 97) % (H - 31));
            for (int32_t r = 0; r < 31; ++r)
            {
                std::fill_n(frame.begin() + int64_t(y + r) * W + x, 31, n);
            }
        }
        auto rects = finder.Find(frame.data(), W, H, W, whole);
        benchmark::DoNotOptimize(rects);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 4);
}
BENCHMARK(BM_FindChanges);

// Reference: copying one 1280 x 1024 surface.
void BM_CopySurface(benchmark::State& state)
{
    std::vector<uint32_t> a(1280 * 1024, 1), b(1280 * 1024);
    for (auto _ : state)
    {
        std::memcpy(b.data(), a.data(), a.size() * 4);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopySurface);

// Scaling the whole frame into a 1280 x 1024 surface, letterboxed.
void BM_ScaleWholeFrame(benchmark::State& state)
{
    std::vector<uint32_t> src(size_t(W) * H, 7), dst(1280 * 1024);
    const Framework::LetterboxPlacement p = Framework::ComputeLetterbox(W, H, 1280, 1024);
    for (auto _ : state)
    {
        int32_t x, y, w, h;
        Framework::ScaleRect(src.data(), W, H, W, 0, 0, W, H, dst.data(), 1280, p, x, y, w, h);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScaleWholeFrame);

} // namespace
