#include "framework/graphics/FontData.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/FontDescriptorHost.h"

namespace Framework
{

namespace
{

const SingleDataElement* AsSingle(const DataElement& element)
{
    return element.IsList() ? nullptr : static_cast<const SingleDataElement*>(&element);
}

} // namespace

FontData::FontData()
{
    for (int i = 0; i < 256; ++i)
        charMap[size_t(i)] = uint8_t(i);
}

FontData::~FontData() = default;

bool FontData::Begin(FontDescriptorHost* fontHost, const std::string& path, std::shared_ptr<DDImage> initialImage)
{
    host = fontHost;
    startImage = std::move(initialImage);
    descriptorPath = path;
    errorHeader = "Font Descriptor Error in " + path + "\r\n";
    loaded = false;
    return true;
}

bool FontData::Finish(bool ok)
{
    if (!ok)
    {
        // A font whose descriptor failed measures 0 and draws nothing.
        layers.clear();
        layerMap.clear();
    }
    loaded = ok;
    startImage.reset();
    return ok;
}

bool FontData::Load(FontDescriptorHost* fontHost, const std::string& path, std::shared_ptr<DDImage> initialImage)
{
    Begin(fontHost, path, std::move(initialImage));
    return Finish(LoadDescriptor(path));
}

bool FontData::LoadText(FontDescriptorHost* fontHost, const std::string& text, const std::string& path,
                        std::shared_ptr<DDImage> initialImage)
{
    Begin(fontHost, path, std::move(initialImage));
    return Finish(LoadDescriptorText(text));
}

std::string FontData::DefineText(const std::string& name) const
{
    const DataElement* define = FindDefine(name);
    if (define == nullptr || define->IsList())
        return std::string();
    return static_cast<const SingleDataElement*>(define)->text;
}

void FontData::ReportError(const std::string& message)
{
    if (host != nullptr)
        host->ShowErrorBox(message);
}

bool FontData::TypeError()
{
    if (!dereferenceError.empty())
    {
        std::string text = dereferenceError;
        dereferenceError.clear();
        return Error(text);
    }
    return Error("Invalid Paramater Type");
}

GlyphLayer* FontData::FindLayer(const DataElement& element)
{
    std::string name;
    if (!DataToString(element, name))
        return nullptr;
    auto it = layerMap.find(Upper(name));
    return it == layerMap.end() ? nullptr : it->second;
}

bool FontData::GetLayer(const ListDataElement& params, GlyphLayer*& layer)
{
    std::string name;
    if (!DataToString(*params.children[1], name))
        return TypeError();
    auto it = layerMap.find(Upper(name));
    if (it == layerMap.end())
        return Error("Undefined Layer");
    layer = it->second;
    return true;
}

bool FontData::GetChars(const DataElement& element, std::vector<uint8_t>& out)
{
    std::vector<std::string> texts;
    if (!DataToStringVector(element, texts))
        return false;
    out.clear();
    for (const std::string& text : texts)
    {
        if (text.size() != 1)
            return false;
        out.push_back(static_cast<uint8_t>(text[0]));
    }
    return true;
}

bool FontData::CreateLayer(const ListDataElement& params, bool fromSource)
{
    std::string name;
    if (!DataToString(*params.children[1], name))
        return TypeError();
    const std::string key = Upper(name);
    GlyphLayer* source = nullptr;
    if (fromSource)
    {
        source = FindLayer(*params.children[2]);
        if (source == nullptr)
            return Error("Undefined Layer");
    }
    if (layerMap.count(key) != 0)
    {
        // Reported, but the rest of the descriptor is still read.
        Error("Layer Already Exists");
        return true;
    }
    auto layer = std::make_unique<GlyphLayer>();
    if (source != nullptr)
        *layer = *source;
    else
        layer->image = startImage;
    layer->fontData = this;
    layerMap[key] = layer.get();
    layers.push_back(std::move(layer));
    return true;
}

bool FontData::SetImage(GlyphLayer& layer, const std::string& file)
{
    std::string folder;
    const size_t slash = descriptorPath.find_last_of("/\\");
    if (slash != std::string::npos)
        folder = descriptorPath.substr(0, slash + 1);
    SharedImageCache::Result result;
    if (host != nullptr)
        result = host->GetSharedImage(folder + file, "");
    if (result.image == nullptr)
        return Error("Failed to Load Image");
    if (result.newlyLoaded)
        result.image->ReduceToPalette();
    layer.image = result.image;
    return true;
}

bool FontData::SetImageMap(GlyphLayer& layer, const DataElement& chars, const DataElement& rects)
{
    std::vector<uint8_t> codes;
    std::unique_ptr<ListDataElement> rectList;
    if (!GetChars(chars, codes) || !DataToList(rects, rectList))
        return TypeError();
    if (codes.size() != rectList->children.size())
        return Error("List Size Mismatch");
    if (layer.image == nullptr)
        return Error("Layer image not set");
    std::vector<Rect> parsed;
    for (const auto& child : rectList->children)
    {
        std::vector<int32_t> v;
        if (!DataToIntVector(*child, v) || v.size() != 4)
            return TypeError();
        const int64_t right = int64_t(v[0]) + v[2];
        const int64_t bottom = int64_t(v[1]) + v[3];
        if (v[0] < 0 || v[1] < 0 || v[2] < 0 || v[3] < 0 || right > layer.image->width || bottom > layer.image->height)
            return Error("Image rectangle out of bounds");
        parsed.push_back(Rect(v[0], v[1], v[2], v[3]));
    }
    for (size_t i = 0; i < codes.size(); ++i)
        layer.glyphs[codes[i]].imageRect = parsed[i];
    int32_t tallest = 0;
    for (const GlyphInfo& glyph : layer.glyphs)
        tallest = std::max(tallest, glyph.imageRect.height + glyph.offsetY);
    layer.defaultHeight = tallest;
    return true;
}

bool FontData::SetColor(Color& target, const DataElement& element)
{
    std::vector<double> v;
    if (!DataToDoubleVector(element, v) || v.size() != 4)
        return TypeError();
    auto channel = [](double x) { return int32_t(std::clamp(x, 0.0, 1.0) * 255.0); };
    target = Color(channel(v[0]), channel(v[1]), channel(v[2]), channel(v[3]));
    return true;
}

bool FontData::HandleCommand(const ListDataElement& params)
{
    const SingleDataElement* commandElement = AsSingle(*params.children[0]);
    const std::string command = Upper(commandElement->text);
    const size_t count = params.children.size();
    auto expect = [&](size_t n) { return count == n ? true : Error("Invalid Number of Parameters"); };
    auto param = [&](size_t i) -> const DataElement& { return *params.children[i]; };

    if (command == "DEFINE")
    {
        if (!expect(3))
            return false;
        const SingleDataElement* name = AsSingle(param(1));
        if (name == nullptr || name->text.empty() || IsImmediate(*name))
            return TypeError();
        const DataElement& value = param(2);
        if (value.IsList())
        {
            std::unique_ptr<ListDataElement> resolved;
            if (!DataToList(value, resolved))
                return TypeError();
            SetDefine(name->text, std::move(resolved));
        }
        else
        {
            const auto& single = static_cast<const SingleDataElement&>(value);
            const DataElement* existing = single.quoted ? nullptr : FindDefine(single.text);
            SetDefine(name->text, existing != nullptr ? existing->Duplicate() : single.Duplicate());
        }
        return true;
    }
    if (command == "CREATEHORZSPANRECTLIST")
    {
        if (!expect(4))
            return false;
        const SingleDataElement* name = AsSingle(param(1));
        std::vector<int32_t> rect;
        std::vector<int32_t> widths;
        if (name == nullptr || IsImmediate(*name) || !DataToIntVector(param(2), rect) || rect.size() != 4 ||
            !DataToIntVector(param(3), widths))
            return TypeError();
        auto list = std::make_unique<ListDataElement>();
        int64_t x = rect[0];
        for (int32_t w : widths)
        {
            auto item = std::make_unique<ListDataElement>();
            for (int64_t v : {x, int64_t(rect[1]), int64_t(w), int64_t(rect[3])})
                item->children.push_back(std::make_unique<SingleDataElement>(std::to_string(int32_t(v)), false));
            list->children.push_back(std::move(item));
            x = int32_t(x + w);
        }
        SetDefine(name->text, std::move(list));
        return true;
    }
    if (command == "SETDEFAULTPOINTSIZE")
    {
        if (!expect(2))
            return false;
        return DataToInt(param(1), defaultPointSize) ? true : TypeError();
    }
    if (command == "SETCHARMAP")
    {
        if (!expect(3))
            return false;
        std::vector<uint8_t> from;
        std::vector<uint8_t> to;
        if (!GetChars(param(1), from) || !GetChars(param(2), to))
            return TypeError();
        if (from.size() != to.size())
            return Error("List Size Mismatch");
        for (size_t i = 0; i < from.size(); ++i)
            charMap[from[i]] = to[i];
        return true;
    }
    if (command == "CREATELAYER")
    {
        return expect(2) && CreateLayer(params, false);
    }
    if (command == "CREATELAYERFROM")
    {
        return expect(3) && CreateLayer(params, true);
    }

    // Every other command works on a layer named by its first parameter.
    struct LayerCommand
    {
        const char* name;
        size_t parameters;
    };
    static const LayerCommand table[] = {
        {"LAYERREQUIRETAGS", 3},
        {"LAYEREXCLUDETAGS", 3},
        {"LAYERPOINTRANGE", 4},
        {"LAYERSETPOINTSIZE", 3},
        {"LAYERSETIMAGE", 3},
        {"LAYERSETDRAWMODE", 3},
        {"LAYERSETCOLORMULT", 3},
        {"LAYERSETCOLORADD", 3},
        {"LAYERSETASCENT", 3},
        {"LAYERSETASCENTPADDING", 3},
        {"LAYERSETLINESPACINGOFFSET", 3},
        {"LAYERSETOFFSET", 3},
        {"LAYERSETCHARWIDTHS", 4},
        {"LAYERSETSPACING", 3},
        {"LAYERSETIMAGEMAP", 4},
        {"LAYERSETCHAROFFSETS", 4},
        {"LAYERSETKERNINGPAIRS", 4},
        {"LAYERSETBASEORDER", 3},
        {"LAYERSETCHARORDERS", 4},
    };
    const LayerCommand* found = nullptr;
    for (const LayerCommand& entry : table)
    {
        if (command == entry.name)
            found = &entry;
    }
    if (found == nullptr)
        return Error("Unknown Command");
    if (!expect(found->parameters))
        return false;
    GlyphLayer* layer = nullptr;
    if (!GetLayer(params, layer))
        return false;

    auto setInt = [&](int32_t& target) { return DataToInt(param(2), target) ? true : TypeError(); };

    if (command == "LAYERREQUIRETAGS" || command == "LAYEREXCLUDETAGS")
    {
        std::vector<std::string> tags;
        if (!DataToStringVector(param(2), tags))
            return TypeError();
        auto& target = command == "LAYERREQUIRETAGS" ? layer->requiredTags : layer->excludedTags;
        for (const std::string& tag : tags)
            target.push_back(Upper(tag));
        return true;
    }
    if (command == "LAYERPOINTRANGE")
    {
        int32_t low = 0;
        int32_t high = 0;
        if (!DataToInt(param(2), low) || !DataToInt(param(3), high))
            return TypeError();
        layer->minPointSize = low;
        layer->maxPointSize = high;
        return true;
    }
    if (command == "LAYERSETPOINTSIZE")
        return setInt(layer->pointSize);
    if (command == "LAYERSETIMAGE")
    {
        std::string file;
        if (!DataToString(param(2), file))
            return TypeError();
        return SetImage(*layer, file);
    }
    if (command == "LAYERSETDRAWMODE")
    {
        int32_t mode = 0;
        if (!DataToInt(param(2), mode) || (mode != 0 && mode != 1))
            return TypeError();
        layer->drawMode = mode;
        return true;
    }
    if (command == "LAYERSETCOLORMULT")
        return SetColor(layer->colorMult, param(2));
    if (command == "LAYERSETCOLORADD")
        return SetColor(layer->colorAdd, param(2));
    if (command == "LAYERSETASCENT")
        return setInt(layer->ascent);
    if (command == "LAYERSETASCENTPADDING")
        return setInt(layer->ascentInset);
    if (command == "LAYERSETLINESPACINGOFFSET")
        return setInt(layer->lineSpacingOffset);
    if (command == "LAYERSETSPACING")
        return setInt(layer->spacing);
    if (command == "LAYERSETBASEORDER")
        return setInt(layer->baseOrder);
    if (command == "LAYERSETOFFSET")
    {
        std::vector<int32_t> v;
        if (!DataToIntVector(param(2), v) || v.size() != 2)
            return TypeError();
        layer->offsetX = v[0];
        layer->offsetY = v[1];
        return true;
    }
    if (command == "LAYERSETIMAGEMAP")
        return SetImageMap(*layer, param(2), param(3));

    // Per-character tables: a list of characters and a list of values.
    if (command == "LAYERSETKERNINGPAIRS")
    {
        std::vector<std::string> pairs;
        std::vector<int32_t> values;
        if (!DataToStringVector(param(2), pairs) || !DataToIntVector(param(3), values))
            return TypeError();
        for (const std::string& pair : pairs)
        {
            if (pair.size() != 2)
                return TypeError();
        }
        if (pairs.size() != values.size())
            return Error("List Size Mismatch");
        for (size_t i = 0; i < pairs.size(); ++i)
        {
            const auto first = static_cast<uint8_t>(pairs[i][0]);
            const auto second = static_cast<uint8_t>(pairs[i][1]);
            layer->glyphs[first].kerning[second] = static_cast<int8_t>(values[i]);
        }
        return true;
    }
    std::vector<uint8_t> chars;
    if (!GetChars(param(2), chars))
        return TypeError();
    if (command == "LAYERSETCHAROFFSETS")
    {
        std::unique_ptr<ListDataElement> offsets;
        if (!DataToList(param(3), offsets))
            return TypeError();
        std::vector<std::pair<int32_t, int32_t>> parsed;
        for (const auto& child : offsets->children)
        {
            std::vector<int32_t> v;
            if (!DataToIntVector(*child, v) || v.size() != 2)
                return TypeError();
            parsed.emplace_back(v[0], v[1]);
        }
        if (parsed.size() != chars.size())
            return Error("List Size Mismatch");
        for (size_t i = 0; i < chars.size(); ++i)
        {
            layer->glyphs[chars[i]].offsetX = parsed[i].first;
            layer->glyphs[chars[i]].offsetY = parsed[i].second;
        }
        return true;
    }
    std::vector<int32_t> values;
    if (!DataToIntVector(param(3), values))
        return TypeError();
    if (values.size() != chars.size())
        return Error("List Size Mismatch");
    for (size_t i = 0; i < chars.size(); ++i)
    {
        GlyphInfo& glyph = layer->glyphs[chars[i]];
        if (command == "LAYERSETCHARWIDTHS")
            glyph.width = values[i];
        else
            glyph.order = values[i];
    }
    return true;
}

} // namespace Framework
