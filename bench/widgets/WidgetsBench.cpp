// Update and draw passes over a tree of 200 widgets (10 panels of 160 x 120
// pixels, each holding 19 small filled widgets) on the 800 x 600 screen,
// beside a memcpy of the screen's bytes as the reference.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

using namespace Framework;

namespace
{

class FilledWidget final : public Widget
{
public:
    explicit FilledWidget(Color c) : fill(c) {}
    void Draw(Graphics* g) override
    {
        g->SetColor(fill);
        g->FillRect(0, 0, width, height);
    }
    void Update() override
    {
        Widget::Update();
        ++ticks;
    }
    Color fill;
    int32_t ticks = 0;
};

struct Tree
{
    static constexpr int32_t Panels = 10;
    static constexpr int32_t ChildrenPerPanel = 19;

    Tree()
    {
        screen.Allocate(800, 600);
        manager.width = 800;
        manager.height = 600;
        manager.screenImage = &screen;
        for (int32_t p = 0; p < Panels; ++p)
        {
            auto panel = std::make_unique<FilledWidget>(Color(30, 40, 60));
            panel->Resize((p % 5) * 160, (p / 5) * 300, 160, 120);
            manager.AddWidget(panel.get());
            for (int32_t c = 0; c < ChildrenPerPanel; ++c)
            {
                auto child = std::make_unique<FilledWidget>(Color(200, 100 + c * 5, 50));
                child->Resize(4 + (c % 4) * 39, 4 + (c / 4) * 23, 36, 20);
                panel->AddWidget(child.get());
                widgets.push_back(std::move(child));
            }
            widgets.push_back(std::move(panel));
        }
        manager.RunDrawPass();
    }
    ~Tree() { manager.RemoveAllChildren(); }

    MemoryImage screen;
    WidgetManager manager;
    std::vector<std::unique_ptr<FilledWidget>> widgets;
};

void BM_MemcpyScreen(benchmark::State& state)
{
    std::vector<uint32_t> from(800 * 600, 0xFF102030u);
    std::vector<uint32_t> to(800 * 600);
    for (auto _ : state)
    {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(from.size() * sizeof(uint32_t)));
}
BENCHMARK(BM_MemcpyScreen);

void BM_UpdatePass200(benchmark::State& state)
{
    Tree tree;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(tree.manager.RunUpdatePass());
    }
}
BENCHMARK(BM_UpdatePass200);

// Every widget dirty: the whole tree drawn (each widget fills its rectangle).
void BM_DrawPass200AllDirty(benchmark::State& state)
{
    Tree tree;
    for (auto _ : state)
    {
        tree.manager.MarkSubtreeDirty();
        benchmark::DoNotOptimize(tree.manager.RunDrawPass());
    }
}
BENCHMARK(BM_DrawPass200AllDirty);

// One nested widget changed: its panel of 20 widgets is redrawn.
void BM_DrawPass200OnePanel(benchmark::State& state)
{
    Tree tree;
    Widget* nested = tree.widgets.front().get();
    for (auto _ : state)
    {
        nested->MarkDirty();
        benchmark::DoNotOptimize(tree.manager.RunDrawPass());
    }
}
BENCHMARK(BM_DrawPass200OnePanel);

// Nothing changed: the pass only looks at the top-level widgets.
void BM_DrawPass200Clean(benchmark::State& state)
{
    Tree tree;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(tree.manager.RunDrawPass());
    }
}
BENCHMARK(BM_DrawPass200Clean);

void BM_HitTest200(benchmark::State& state)
{
    Tree tree;
    int32_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(tree.manager.FindWidgetAt((i * 37) % 800, (i * 53) % 600));
        ++i;
    }
}
BENCHMARK(BM_HitTest200);

} // namespace
