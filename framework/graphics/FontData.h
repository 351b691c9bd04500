// FontData: the layers of an image font as its descriptor defines them. Each
// GlyphLayer draws every character from a cel of its layer image, with its
// own colours, offsets, order and the tags and point sizes that select it.
// A FontData is shared by the ImageFonts made from one descriptor (through
// shared_ptr) and does not change after loading; it keeps its layer images
// alive. Loading happens on one thread (main or loading thread); afterwards
// it is only read.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/FontDescriptorParser.h"
#include "framework/graphics/Rect.h"

namespace Framework
{

class DDImage;
class FontData;
class FontDescriptorHost;

struct GlyphInfo
{
    Rect imageRect;
    int32_t offsetX = 0; // glyphOffset
    int32_t offsetY = 0;
    std::array<int8_t, 256> kerning{}; // extra advance when followed by character n
    int32_t width = 0;                 // advance
    int32_t order = 0;
};

struct GlyphLayer
{
    FontData* fontData = nullptr;
    std::vector<std::string> requiredTags; // upper case
    std::vector<std::string> excludedTags;
    std::array<GlyphInfo, 256> glyphs{};
    Color colorMult = Color(255, 255, 255, 255);
    Color colorAdd = Color(0, 0, 0, 0);
    std::shared_ptr<DDImage> image;
    int32_t drawMode = -1; // -1: keep the context's blend mode
    int32_t offsetX = 0;   // layerOffset
    int32_t offsetY = 0;
    int32_t spacing = 0;
    int32_t minPointSize = -1;
    int32_t maxPointSize = -1;
    int32_t pointSize = 0; // 0: unscaled
    int32_t ascent = 0;
    int32_t ascentInset = 0;
    int32_t height = 0;
    int32_t defaultHeight = 0;
    int32_t lineSpacingOffset = 0;
    int32_t baseOrder = 0;
};

class FontData : public DescParser
{
public:
    std::vector<std::unique_ptr<GlyphLayer>> layers; // creation order
    std::map<std::string, GlyphLayer*> layerMap;     // upper-case name
    std::array<uint8_t, 256> charMap{};
    int32_t defaultPointSize = 0;
    std::string descriptorPath;
    bool loaded = false;

    FontData();
    ~FontData() override;

    // Reads the descriptor at path. Layer images are found relative to its
    // folder. When initialImage is given, every layer starts with it (a font
    // whose image is named outside its descriptor). Errors are shown through
    // the host's error box once; the data is then left without layers.
    bool Load(FontDescriptorHost* host, const std::string& path, std::shared_ptr<DDImage> initialImage = nullptr);
    // The same over descriptor text held in memory (path only names it).
    bool LoadText(FontDescriptorHost* host, const std::string& text, const std::string& path,
                  std::shared_ptr<DDImage> initialImage = nullptr);

    // The text of a define, or empty.
    std::string DefineText(const std::string& name) const;

protected:
    bool HandleCommand(const ListDataElement& params) override;
    void ReportError(const std::string& message) override;

private:
    bool Begin(FontDescriptorHost* fontHost, const std::string& path, std::shared_ptr<DDImage> initialImage);
    bool Finish(bool ok);
    bool TypeError();
    GlyphLayer* FindLayer(const DataElement& element);
    bool GetLayer(const ListDataElement& params, GlyphLayer*& layer);
    bool GetChars(const DataElement& element, std::vector<uint8_t>& out);
    bool CreateLayer(const ListDataElement& params, bool fromSource);
    bool SetImage(GlyphLayer& layer, const std::string& file);
    bool SetImageMap(GlyphLayer& layer, const DataElement& chars, const DataElement& rects);
    bool SetColor(Color& target, const DataElement& element);

    FontDescriptorHost* host = nullptr;
    std::shared_ptr<DDImage> startImage;
};

} // namespace Framework
