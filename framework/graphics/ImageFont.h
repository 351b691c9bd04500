// ImageFont: a font drawn from cels of font images. It sits on a shared
// FontData (one per descriptor, shared by clones) and adds a point size, a
// scale and a set of upper-case tags that choose which layers take part.
// The active layers (with scaled copies of the layer images when the size or
// scale differ from the layer's) are rebuilt on first use after any change.
//
// Text is single bytes mapped through the descriptor's character map. y of
// DrawText is the baseline. Glyphs of a string are queued into 256 order
// buckets (at most 4096 glyphs; the rest are not drawn) and drawn bucket by
// bucket, so every shadow comes before every letter. The queue is shared by
// all image fonts and guarded by a process-wide lock, so fonts may draw from
// more than one thread; changing size, scale or tags is one thread's work.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "framework/graphics/FontData.h"

namespace Framework
{

class DDImage;
class FontDescriptorHost;
class Image;
class MemoryImage;

struct ActiveFontLayer
{
    const GlyphLayer* baseLayer = nullptr;
    Image* image = nullptr; // the layer image or ownedImage
    std::unique_ptr<MemoryImage> ownedImage;
    std::array<Rect, 256> rects{};
    double factor = 1.0; // k: size of this layer's glyphs against its own
};

class ImageFont : public Font
{
public:
    static constexpr size_t MaxQueuedGlyphs = 4096;

    // Loads the descriptor at path (errors go to the host's error box).
    ImageFont(FontDescriptorHost* host, const std::string& descriptorPath,
              std::shared_ptr<DDImage> initialImage = nullptr);
    // A font on already loaded data.
    explicit ImageFont(std::shared_ptr<FontData> data);
    // Shares other's data; copies point size, tags and scale.
    ImageFont(const ImageFont& other);
    ImageFont& operator=(const ImageFont&) = delete;
    ~ImageFont() override;

    int32_t Ascent() override;
    int32_t AscentInset() override;
    int32_t Descent() override;
    int32_t Height() override;
    int32_t LineSpacingOffset() override;
    int32_t LineSpacing() override;
    int32_t TextWidth(const std::string& text) override;
    int32_t GlyphWidth(char c) override;
    int32_t GlyphWidthKerned(char c, char previous) override;
    void DrawText(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                  const Rect& clip) override;
    std::unique_ptr<Font> Clone() override;

    virtual void BuildActiveLayers();
    virtual void DrawTextLayered(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                                 const Rect& clip);
    virtual void SetPointSize(int32_t size);
    virtual int32_t GetPointSize() const { return pointSize; }
    virtual void SetScale(double value);
    virtual int32_t DefaultPointSize() const;
    virtual bool AddTag(const std::string& tag);
    virtual bool RemoveTag(const std::string& tag);
    virtual bool HasTag(const std::string& tag) const;
    virtual std::string DefineText(const std::string& name) const;
    virtual void Prepare();

    bool IsLoaded() const { return fontData != nullptr && fontData->loaded; }
    const std::shared_ptr<FontData>& GetFontData() const { return fontData; }
    // The layers as last prepared (call Prepare first after a change).
    const std::vector<std::unique_ptr<ActiveFontLayer>>& ActiveLayers() const { return activeLayers; }
    const std::vector<std::string>& Tags() const { return tags; }

private:
    bool LayerTakesPart(const GlyphLayer& layer) const;

    std::shared_ptr<FontData> fontData;
    int32_t pointSize = 0;
    std::vector<std::string> tags;
    bool prepared = false;
    std::vector<std::unique_ptr<ActiveFontLayer>> activeLayers;
    double scale = 1.0;
};

} // namespace Framework
