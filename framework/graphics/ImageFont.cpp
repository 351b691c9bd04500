#include "framework/graphics/ImageFont.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"

namespace Framework
{

namespace
{

std::string Upper(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

int32_t Trunc(double value)
{
    // Truncation toward zero, kept within the 32-bit range.
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return int32_t(value);
}

// The glyph queue shared by every image font: entries chained per order
// bucket in queue order. Guarded by gTextLock.
struct QueuedGlyph
{
    Image* image;
    int32_t x;
    int32_t y;
    Rect rect;
    Color color;
    int32_t drawMode;
    int32_t next;
};

std::mutex gTextLock;
std::array<QueuedGlyph, ImageFont::MaxQueuedGlyphs> gQueue;
std::array<int32_t, 256> gBucketHead;
std::array<int32_t, 256> gBucketTail;

} // namespace

ImageFont::ImageFont(FontDescriptorHost* host, const std::string& descriptorPath, std::shared_ptr<DDImage> initialImage)
    : fontData(std::make_shared<FontData>())
{
    fontData->Load(host, descriptorPath, std::move(initialImage));
    pointSize = fontData->defaultPointSize;
    Prepare();
}

ImageFont::ImageFont(std::shared_ptr<FontData> data) : fontData(std::move(data))
{
    pointSize = fontData->defaultPointSize;
    Prepare();
}

ImageFont::ImageFont(const ImageFont& other)
    : Font(), fontData(other.fontData), pointSize(other.pointSize), tags(other.tags), scale(other.scale)
{
    Prepare();
}

ImageFont::~ImageFont() = default;

std::unique_ptr<Font> ImageFont::Clone()
{
    return std::make_unique<ImageFont>(*this);
}

void ImageFont::SetPointSize(int32_t size)
{
    pointSize = size;
    prepared = false;
}

void ImageFont::SetScale(double value)
{
    scale = value;
    prepared = false;
}

int32_t ImageFont::DefaultPointSize() const
{
    return fontData->defaultPointSize;
}

bool ImageFont::AddTag(const std::string& tag)
{
    const std::string key = Upper(tag);
    if (HasTag(key))
        return false;
    tags.push_back(key);
    prepared = false;
    return true;
}

bool ImageFont::RemoveTag(const std::string& tag)
{
    auto it = std::find(tags.begin(), tags.end(), Upper(tag));
    if (it == tags.end())
        return false;
    tags.erase(it);
    prepared = false;
    return true;
}

bool ImageFont::HasTag(const std::string& tag) const
{
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

std::string ImageFont::DefineText(const std::string& name) const
{
    return fontData->DefineText(name);
}

void ImageFont::Prepare()
{
    if (!prepared)
    {
        BuildActiveLayers();
        prepared = true;
    }
}

bool ImageFont::LayerTakesPart(const GlyphLayer& layer) const
{
    if (pointSize < layer.minPointSize)
        return false;
    if (layer.maxPointSize != -1 && layer.maxPointSize < pointSize)
        return false;
    for (const std::string& required : layer.requiredTags)
    {
        if (!HasTag(required))
            return false;
    }
    for (const std::string& tag : tags)
    {
        if (std::find(layer.excludedTags.begin(), layer.excludedTags.end(), tag) != layer.excludedTags.end())
            return false;
    }
    return true;
}

void ImageFont::BuildActiveLayers()
{
    activeLayers.clear();
    ascent = 0;
    ascentInset = 0;
    height = 0;
    lineSpacingOffset = 0;
    bool first = true;
    for (const auto& layerPtr : fontData->layers)
    {
        const GlyphLayer& layer = *layerPtr;
        if (!LayerTakesPart(layer))
            continue;
        auto active = std::make_unique<ActiveFontLayer>();
        active->baseLayer = &layer;
        const double k = layer.pointSize != 0 ? double(pointSize) * scale / double(layer.pointSize) : scale;
        active->factor = k;

        if (scale != 1.0 || (layer.pointSize != 0 && layer.pointSize != pointSize))
        {
            int64_t totalWidth = 0;
            int32_t tallest = 0;
            std::array<Rect, 256> scaled{};
            for (size_t c = 0; c < 256; ++c)
            {
                const Rect& src = layer.glyphs[c].imageRect;
                const int32_t w = std::max(0, Trunc(src.width * k));
                const int32_t h = std::max(0, Trunc(src.height * k));
                scaled[c] = Rect(int32_t(std::min<int64_t>(totalWidth, INT32_MAX)), 0, w, h);
                totalWidth += w;
                tallest = std::max(tallest, h);
            }
            auto image = std::make_unique<MemoryImage>();
            if (totalWidth > 0 && tallest > 0 && MemoryImage::SizeAllowed(totalWidth, tallest))
            {
                image->Allocate(int32_t(totalWidth), tallest);
                if (layer.image != nullptr)
                {
                    Graphics g(image.get());
                    for (size_t c = 0; c < 256; ++c)
                    {
                        if (scaled[c].width > 0 && scaled[c].height > 0)
                            g.DrawStretched(layer.image.get(), scaled[c], layer.glyphs[c].imageRect);
                    }
                }
                active->rects = scaled;
            }
            // A size too large to hold leaves the layer drawing nothing.
            active->image = image.get();
            active->ownedImage = std::move(image);
        }
        else
        {
            active->image = layer.image.get();
            for (size_t c = 0; c < 256; ++c)
                active->rects[c] = layer.glyphs[c].imageRect;
        }

        const int32_t layerHeight = layer.height != 0 ? layer.height : layer.defaultHeight;
        ascent = std::max(ascent, Trunc(k * layer.ascent));
        height = std::max(height, Trunc(k * layerHeight));
        if (first)
        {
            ascentInset = Trunc(k * layer.ascentInset);
            lineSpacingOffset = Trunc(k * layer.lineSpacingOffset);
            first = false;
        }
        else
        {
            ascentInset = std::min(ascentInset, Trunc(k * layer.ascentInset));
            lineSpacingOffset = std::max(lineSpacingOffset, Trunc(k * layer.lineSpacingOffset));
        }
        activeLayers.push_back(std::move(active));
    }
}

int32_t ImageFont::Ascent()
{
    Prepare();
    return ascent;
}

int32_t ImageFont::AscentInset()
{
    Prepare();
    return ascentInset;
}

int32_t ImageFont::Descent()
{
    Prepare();
    return height - ascent;
}

int32_t ImageFont::Height()
{
    Prepare();
    return height;
}

int32_t ImageFont::LineSpacingOffset()
{
    Prepare();
    return lineSpacingOffset;
}

int32_t ImageFont::LineSpacing()
{
    Prepare();
    return height + lineSpacingOffset;
}

int32_t ImageFont::GlyphWidthKerned(char c, char previous)
{
    Prepare();
    const uint8_t code = fontData->charMap[static_cast<uint8_t>(c)];
    const uint8_t prev = previous == 0 ? 0 : fontData->charMap[static_cast<uint8_t>(previous)];
    int32_t widest = 0;
    bool any = false;
    for (const auto& active : activeLayers)
    {
        const GlyphLayer& layer = *active->baseLayer;
        const double k = active->factor;
        int32_t w = Trunc(k * layer.glyphs[code].width);
        if (prev != 0)
            w += Trunc(k * (layer.glyphs[prev].kerning[code] + layer.spacing));
        widest = any ? std::max(widest, w) : w;
        any = true;
    }
    return widest;
}

int32_t ImageFont::GlyphWidth(char c)
{
    return GlyphWidthKerned(c, 0);
}

int32_t ImageFont::TextWidth(const std::string& text)
{
    Prepare();
    int64_t width = 0;
    char previous = 0;
    for (char c : text)
    {
        width += GlyphWidthKerned(c, previous);
        previous = c;
    }
    return int32_t(std::clamp<int64_t>(width, INT32_MIN, INT32_MAX));
}

void ImageFont::DrawText(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                         const Rect& clip)
{
    DrawTextLayered(graphics, x, y, text, color, clip);
}

void ImageFont::DrawTextLayered(Graphics* graphics, int32_t x, int32_t y, const std::string& text, const Color& color,
                                const Rect&)
{
    Prepare();
    if (graphics == nullptr)
        return;
    std::lock_guard<std::mutex> lock(gTextLock);
    const bool oldModulation = graphics->GetColorModulation();
    const Color oldColor = graphics->GetColor();
    graphics->SetColorModulation(true);

    gBucketHead.fill(-1);
    gBucketTail.fill(-1);
    size_t queued = 0;
    int64_t pen = x;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const uint8_t c = fontData->charMap[static_cast<uint8_t>(text[i])];
        const uint8_t n = i + 1 < text.size() ? fontData->charMap[static_cast<uint8_t>(text[i + 1])] : 0;
        int64_t nextPen = pen;
        bool anyLayer = false;
        for (const auto& active : activeLayers)
        {
            const GlyphLayer& layer = *active->baseLayer;
            const GlyphInfo& glyph = layer.glyphs[c];
            const double k = active->factor;
            const int64_t gx = pen + Trunc(k * (layer.offsetX + glyph.offsetX));
            const int64_t gy = int64_t(y) - Trunc(k * (layer.ascent - glyph.offsetY - layer.offsetY));
            int64_t advance = Trunc(k * glyph.width);
            if (n != 0)
                advance += Trunc(k * (glyph.kerning[n] + layer.spacing));
            nextPen = anyLayer ? std::max(nextPen, pen + advance) : pen + advance;
            anyLayer = true;

            if (queued >= MaxQueuedGlyphs || active->image == nullptr)
                continue;
            auto channel = [](int32_t base, int32_t mult, int32_t add)
            { return std::min(255, base * mult / 255 + add); };
            QueuedGlyph& entry = gQueue[queued];
            entry.image = active->image;
            entry.x = int32_t(std::clamp<int64_t>(gx, INT32_MIN / 2, INT32_MAX / 2));
            entry.y = int32_t(std::clamp<int64_t>(gy, INT32_MIN / 2, INT32_MAX / 2));
            entry.rect = active->rects[c];
            entry.color = Color(channel(color.red, layer.colorMult.red, layer.colorAdd.red),
                                channel(color.green, layer.colorMult.green, layer.colorAdd.green),
                                channel(color.blue, layer.colorMult.blue, layer.colorAdd.blue),
                                channel(color.alpha, layer.colorMult.alpha, layer.colorAdd.alpha));
            entry.drawMode = layer.drawMode;
            entry.next = -1;
            const int64_t order = int64_t(layer.baseOrder) + glyph.order + 128;
            const size_t bucket = size_t(std::clamp<int64_t>(order, 0, 255));
            if (gBucketTail[bucket] < 0)
                gBucketHead[bucket] = int32_t(queued);
            else
                gQueue[size_t(gBucketTail[bucket])].next = int32_t(queued);
            gBucketTail[bucket] = int32_t(queued);
            ++queued;
        }
        pen = std::clamp<int64_t>(nextPen, INT32_MIN, INT32_MAX);
    }

    for (size_t bucket = 0; bucket < 256; ++bucket)
    {
        for (int32_t i = gBucketHead[bucket]; i >= 0; i = gQueue[size_t(i)].next)
        {
            const QueuedGlyph& entry = gQueue[size_t(i)];
            if (entry.rect.width <= 0 || entry.rect.height <= 0)
                continue;
            graphics->SetColor(entry.color);
            const int32_t oldMode = graphics->blendMode;
            if (entry.drawMode != -1)
                graphics->blendMode = entry.drawMode;
            graphics->DrawImage(entry.image, entry.x, entry.y, entry.rect);
            graphics->blendMode = oldMode;
        }
    }
    graphics->SetColor(oldColor);
    graphics->SetColorModulation(oldModulation);
}

} // namespace Framework
