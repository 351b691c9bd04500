// Helpers of the sprite tests: one-colour-per-cel art installed in the
// resource variables, a screen to draw into and a reader that finds where
// each colour landed, and a play host that records what sprites ask of it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "external/util/RuntimeRandom.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/Rect.h"
#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"

namespace SpriteTests
{

class FakePlayHost final : public PlayHost
{
public:
    PlayState state;
    std::vector<int32_t> sounds;
    int32_t windStarts = 0;
    int32_t windStops = 0;

    PlayState& State() override { return state; }
    void PlaySound(int32_t soundId) override { sounds.push_back(soundId); }
    void StartWindLoop() override { ++windStarts; }
    void StopWindLoop() override { ++windStops; }
    void ResetStage() override {}
    void StageReached(int32_t) override {}
    void EndStage(bool) override {}
    void ConfigureObstacles() override {}
    int32_t ObstacleCount(int32_t) const override { return 0; }
    int32_t ColourCount() const override { return 4; }
    void StampStageStart() override {}
};

// Cel n of art number `id` is filled with this opaque colour.
constexpr uint32_t CelColour(uint32_t id, int32_t celNumber)
{
    return 0xFF000000u | (id << 12) | uint32_t(celNumber + 1);
}

// Art for the resource variables: each image `columns` cels of w x h, each
// cel one colour. Owned here; the variables are cleared on destruction.
class TestArt
{
public:
    TestArt() = default;
    TestArt(const TestArt&) = delete;
    TestArt& operator=(const TestArt&) = delete;
    ~TestArt() { ResetResourceVariables(); }

    Framework::Image* Make(Framework::Image*& variable, int32_t columns, int32_t w, int32_t h)
    {
        auto image = std::make_unique<Framework::MemoryImage>();
        image->Allocate(w * columns, h);
        image->columns = columns;
        image->rows = 1;
        const uint32_t id = uint32_t(images.size() + 1);
        uint32_t* pixels = image->GetPixels();
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w * columns; ++x)
                pixels[y * w * columns + x] = CelColour(id, x / w);
        image->PixelsChanged();
        ids[image.get()] = id;
        variable = image.get();
        images.push_back(std::move(image));
        return variable;
    }

    uint32_t Id(const Framework::Image* image) const { return ids.at(image); }
    uint32_t Colour(const Framework::Image* image, int32_t celNumber) const { return CelColour(Id(image), celNumber); }

private:
    std::vector<std::unique_ptr<Framework::MemoryImage>> images;
    std::map<const Framework::Image*, uint32_t> ids;
};

// A screen cleared to 0 and a context on it.
class Screen
{
public:
    explicit Screen(int32_t w = 400, int32_t h = 400)
    {
        image.Allocate(w, h);
        graphics = std::make_unique<Framework::Graphics>(&image);
    }
    Framework::Graphics* G() { return graphics.get(); }
    void Clear() { image.ClearAll(); }

    // Bounding box of the pixels holding exactly `colour`, if any.
    std::optional<Framework::Rect> Find(uint32_t colour)
    {
        int32_t x0 = image.width, y0 = image.height, x1 = -1, y1 = -1;
        const uint32_t* pixels = image.GetPixels();
        for (int32_t y = 0; y < image.height; ++y)
            for (int32_t x = 0; x < image.width; ++x)
                if (pixels[y * image.width + x] == colour)
                {
                    x0 = std::min(x0, x);
                    y0 = std::min(y0, y);
                    x1 = std::max(x1, x);
                    y1 = std::max(y1, y);
                }
        if (x1 < 0)
            return std::nullopt;
        return Framework::Rect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
    }

    bool Blank()
    {
        const uint32_t* pixels = image.GetPixels();
        for (int32_t i = 0; i < image.width * image.height; ++i)
            if (pixels[i] != 0)
                return false;
        return true;
    }

    Framework::MemoryImage image;

private:
    std::unique_ptr<Framework::Graphics> graphics;
};

// The top-left corner where `colour` landed, or (-9999, -9999) when absent.
struct Point
{
    int32_t x;
    int32_t y;
    bool operator==(const Point&) const = default;
};

inline void PrintTo(const Point& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}

inline Point Where(Screen& screen, uint32_t colour)
{
    const auto box = screen.Find(colour);
    return box ? Point{box->x, box->y} : Point{-9999, -9999};
}

// A seed whose first number modulo `modulus` is `wanted`.
inline uint32_t SeedGiving(int32_t modulus, int32_t wanted)
{
    for (uint32_t seed = 1;; ++seed)
    {
        RuntimeRandom probe(seed);
        if (probe.Next() % modulus == wanted)
            return seed;
    }
}

} // namespace SpriteTests
