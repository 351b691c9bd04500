// Cost of drawing a line of image-font text (two layers, order buckets)
// beside the blits of the same glyph rectangles and a memcpy of their bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/FontDescriptorHost.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"

namespace
{

using namespace Framework;

class BenchHost : public FontDescriptorHost
{
public:
    std::shared_ptr<DDImage> image;
    BenchHost()
    {
        image = std::make_shared<DDImage>();
        image->Allocate(26 * 8, 10);
        for (int32_t i = 0; i < image->width * image->height; ++i)
            image->GetPixels()[i] = (i % 3 == 0) ? 0x80FFFFFFu : 0xFFFFFFFFu;
        image->PixelsChanged();
    }
    SharedImageCache::Result GetSharedImage(const std::string&, const std::string&) override { return {image, false}; }
    void ShowErrorBox(const std::string&) override {}
};

const char* const kDescriptor =
    "CreateHorzSpanRectList R (0 0 0 10) (8 8 8 8 8 8 8 8 8 8 8 8 8 8 8 8 8 8 8 8 8 8 8 "
    "8 8 8);\n"
    "Define C (\"a\" \"b\" \"c\" \"d\" \"e\" \"f\" \"g\" \"h\" \"i\" \"j\" \"k\" \"l\" "
    "\"m\" \"n\" \"o\" \"p\" \"q\" \"r\" \"s\" \"t\" \"u\" \"v\" \"w\" \"x\" \"y\" \"z\");\n"
    "CreateLayer Shadow; LayerSetImage Shadow \"f.png\"; LayerSetImageMap Shadow C R;\n"
    "LayerSetCharWidths Shadow C (9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9);\n"
    "LayerSetAscent Shadow 10; LayerSetOffset Shadow (1 1); LayerSetBaseOrder Shadow -1;\n"
    "LayerSetColorMult Shadow (0 0 0 0.5);\n"
    "CreateLayerFrom Main Shadow; LayerSetOffset Main (0 0); LayerSetBaseOrder Main 0;\n"
    "LayerSetColorMult Main (1 1 1 1);\n";

const std::string kText = "thequickbrownfoxjumpsoverthelazy"; // 32 glyphs

struct Setup
{
    BenchHost host;
    std::shared_ptr<FontData> data = std::make_shared<FontData>();
    MemoryImage canvas;
    Setup()
    {
        data->LoadText(&host, kDescriptor, "fonts/bench.txt");
        canvas.Allocate(800, 600);
    }
};

void BM_ImageFontDrawText(benchmark::State& state)
{
    Setup s;
    ImageFont font(s.data);
    Graphics g(&s.canvas);
    for (auto _ : state)
    {
        font.DrawText(&g, 10, 100, kText, Color(200, 180, 40), Rect(0, 0, 800, 600));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kText.size()));
}
BENCHMARK(BM_ImageFontDrawText);

// The same 64 glyph rectangles blitted directly with the same colours.
void BM_ReferenceBlitGlyphs(benchmark::State& state)
{
    Setup s;
    Graphics g(&s.canvas);
    g.SetColorModulation(true);
    for (auto _ : state)
    {
        for (int layer = 0; layer < 2; ++layer)
        {
            g.SetColor(layer == 0 ? Color(0, 0, 0, 127) : Color(200, 180, 40));
            for (size_t i = 0; i < kText.size(); ++i)
            {
                const int32_t cel = kText[i] - 'a';
                g.DrawImage(s.host.image.get(), 10 + int32_t(i) * 9 + (1 - layer), 91 - layer, Rect(cel * 8, 0, 8, 10));
            }
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kText.size()));
}
BENCHMARK(BM_ReferenceBlitGlyphs);

// memcpy of the glyph pixels' bytes (64 glyphs of 8 x 10 words).
void BM_ReferenceMemcpy(benchmark::State& state)
{
    std::vector<uint32_t> src(64 * 80, 0xFFFFFFFFu);
    std::vector<uint32_t> dst(src.size());
    for (auto _ : state)
    {
        std::memcpy(dst.data(), src.data(), src.size() * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kText.size()));
}
BENCHMARK(BM_ReferenceMemcpy);

} // namespace
