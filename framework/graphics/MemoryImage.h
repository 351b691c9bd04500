// MemoryImage: an image whose pixels live in memory, and the software
// implementation of every drawing primitive.
//
// Pixels are 0xAARRGGBB words (bytes blue, green, red, alpha in memory),
// row-major from the top-left, straight (not premultiplied) alpha. An image
// holds the pixel form, the palette form (256 words + one index byte per
// pixel) or both; GetPixels() rebuilds the pixel form from the palette.
//
// Whoever writes into GetPixels() must call PixelsChanged() afterwards: it
// counts the change and drops the derived caches (alpha flags unless forced,
// the per-row run table of transparent / opaque / translucent pixels that lets
// blits skip and copy runs). Sizes are limited to MaxDimension per side and
// MaxPixels in all; larger requests leave the image empty.
//
// Not thread-safe; an image is used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/graphics/Image.h"

namespace Framework
{

class MemoryImage : public Image
{
public:
    static constexpr int32_t MaxDimension = 16384;
    static constexpr int64_t MaxPixels = int64_t(1) << 24;

    // Flags the resource manager may set (hints for display surfaces).
    enum ImageFlags : uint32_t
    {
        ImageFlag_MinimizeNumSubdivisions = 1,
        ImageFlag_Use64By64Subdivisions = 2,
        ImageFlag_UseA4R4G4B4 = 4,
        ImageFlag_UseA8R8G8B8 = 8,
    };

    std::vector<uint32_t> pixels;        // pixel form, empty when absent
    int32_t changeCount = 0;             // incremented by every change of the pixels
    std::vector<uint32_t> palette;       // palette form: 256 words, empty when absent
    std::vector<uint8_t> paletteIndices; // one index per pixel
    bool alphaFlagsForced = false;
    bool hasTransparent = false;
    bool hasTranslucent = false;
    bool transient = false;
    uint32_t imageFlags = 0;

    MemoryImage() = default;
    MemoryImage(const MemoryImage& other);
    MemoryImage& operator=(const MemoryImage& other);
    ~MemoryImage() override = default;

    void FillRect(const Rect& rect, const Color& color, int32_t blendMode) override;
    void ClearArea(const Rect& rect) override;
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t blendMode) override;
    void FillSpans(const Span* spans, int32_t count, const Color& color, int32_t blendMode) override;
    void BlitImage(Image& src, int32_t x, int32_t y, const Rect& srcRect, const Color& modulation,
                   int32_t blendMode) override;
    void BlitSubpixel(Image& src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& modulation,
                      int32_t blendMode) override;
    void BlitRotated(Image& src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& modulation,
                     int32_t blendMode, double angle, float centreX, float centreY) override;
    void BlitStretched(Image& src, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& modulation,
                       int32_t blendMode, bool fastStretch) override;
    void BlitTransformed(Image& src, float x, float y, const Matrix3& matrix, const Rect& clip, const Color& modulation,
                         int32_t blendMode, const Rect& srcRect, bool linearBlend) override;

    // Counts a change and drops every cache derived from the pixels.
    virtual void PixelsChanged();
    // Recomputes hasTransparent / hasTranslucent (unless forced).
    virtual void ScanAlpha();
    // Drops the palette form, keeping (building) the pixel form.
    virtual void DropPalette();
    // All pixels 0.
    virtual void ClearAll();
    // Copies width x height words (the image becomes that size; nothing is
    // copied when the size is not allowed). `commit` is a hint for display
    // images that their copy should be made now.
    virtual void SetPixels(const uint32_t* src, int32_t w, int32_t h, bool commit);
    // Drops both forms, sets the size and gives w x h zero pixels; both alpha
    // flags are set.
    virtual void Allocate(int32_t w, int32_t h);
    // The pixel form (built from the palette when absent); null when empty.
    virtual uint32_t* GetPixels();
    virtual void ForceAlphaFlags(bool hasTrans, bool hasAlpha);
    virtual void SetTransient(bool value);
    // Converts to the palette form when the image has at most 256 distinct
    // pixel words; false (pixels kept) otherwise.
    virtual bool ReduceToPalette();

    // Alpha flags, recomputed on demand after a change.
    bool HasTransparent();
    bool HasTranslucent();

    // Pixel at (x, y) or 0 outside; builds the pixel form when needed.
    uint32_t GetPixel(int32_t x, int32_t y);

    static bool SizeAllowed(int64_t w, int64_t h);

    // Per-row run table over the alpha channel. Each entry packs a run:
    // length << 2 | kind (RunTransparent, RunOpaque, RunTranslucent).
    enum RunKind : uint32_t
    {
        RunTransparent = 0,
        RunOpaque = 1,
        RunTranslucent = 2,
    };
    // Builds the run table if needed; rowStart has height + 1 entries.
    void EnsureRuns();
    const std::vector<uint32_t>& RunData() const { return runData; }
    const std::vector<uint32_t>& RunRowStart() const { return runRowStart; }

private:
    void DropCaches();
    void BuildPixelsFromPalette();

    bool alphaFlagsValid = false;
    bool runsValid = false;
    std::vector<uint32_t> runData;
    std::vector<uint32_t> runRowStart;
};

} // namespace Framework
