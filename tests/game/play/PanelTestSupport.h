// Helpers of the game screen's tests: a play host that also answers the
// side panel (name, avatar, the system font's width) and records sounds,
// cursors and stage operations; strips of cels in known colours; an
// 800 x 600 memory screen.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "src/core/PlayHost.h"

namespace PanelTests
{

class PanelHost final : public PlayHost
{
public:
    PlayState state;
    std::string name = "Ada";
    Framework::Image* avatar = nullptr;
    // The system font's width of a name: 7 pixels a byte (the image font
    // the tests draw with advances 6).
    int32_t widthPerByte = 7;
    std::vector<int32_t> sounds;
    std::vector<int32_t> cursors;
    std::vector<std::string> calls;

    PlayState& State() override { return state; }
    void PlaySound(int32_t soundId) override { sounds.push_back(soundId); }
    void StartWindLoop() override {}
    void StopWindLoop() override {}
    void ResetStage() override { calls.push_back("reset"); }
    void StageReached(int32_t stageId) override { calls.push_back("reached " + std::to_string(stageId)); }
    void EndStage(bool won) override { calls.push_back(won ? "won" : "lost"); }
    void ConfigureObstacles() override {}
    int32_t ObstacleCount(int32_t) const override { return 0; }
    int32_t ColourCount() const override { return 4; }
    void StampStageStart() override {}
    std::string PlayerName() const override { return name; }
    Framework::Image* AvatarImage() const override { return avatar; }
    int32_t SystemFontBoldWidth(const std::string& text) const override { return int32_t(text.size()) * widthPerByte; }
    void SetCursor(int32_t cursor) override { cursors.push_back(cursor); }
};

// `cels` cels of w x h side by side, every pixel of cel n colour(n).
inline std::unique_ptr<Framework::MemoryImage> Strip(int32_t cels, int32_t w, int32_t h,
                                                     const std::function<uint32_t(int32_t)>& colour)
{
    auto image = std::make_unique<Framework::MemoryImage>();
    std::vector<uint32_t> pixels(size_t(cels * w * h));
    for (int32_t y = 0; y < h; ++y)
    {
        for (int32_t x = 0; x < cels * w; ++x)
        {
            pixels[size_t(y * cels * w + x)] = colour(x / w);
        }
    }
    image->SetPixels(pixels.data(), cels * w, h, true);
    image->columns = cels;
    return image;
}

// Cel n opaque 0xFF000000 | base + n.
inline std::unique_ptr<Framework::MemoryImage> NumberedStrip(int32_t cels, int32_t w, int32_t h, uint32_t base)
{
    return Strip(cels, w, h, [base](int32_t n) { return 0xFF000000u | (base + uint32_t(n)); });
}

struct Screen
{
    static constexpr uint32_t Backdrop = 0xFF102030u;
    Framework::MemoryImage image;
    std::unique_ptr<Framework::Graphics> g;

    Screen()
    {
        std::vector<uint32_t> pixels(size_t(800 * 600), Backdrop);
        image.SetPixels(pixels.data(), 800, 600, true);
        g = std::make_unique<Framework::Graphics>(&image);
    }
    void Clear()
    {
        uint32_t* p = image.GetPixels();
        std::fill(p, p + size_t(800 * 600), Backdrop);
        image.PixelsChanged();
    }
    // A context with the play field's origin at (15, 37).
    std::unique_ptr<Framework::Graphics> FieldContext()
    {
        auto field = std::make_unique<Framework::Graphics>(*g);
        field->Translate(15, 37);
        return field;
    }
    uint32_t At(int32_t x, int32_t y) { return image.GetPixel(x, y); }
    // A pixel of the field, in play-field coordinates.
    uint32_t Field(int32_t x, int32_t y) { return image.GetPixel(x + 15, y + 37); }
};

} // namespace PanelTests
