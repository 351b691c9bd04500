#include "framework/app/ResourceManager.h"

#include <cctype>
#include <cstdlib>

#include "framework/app/XmlParser.h"
#include "framework/graphics/ImageAlpha.h"
#include "framework/graphics/ImageFont.h"

namespace Framework
{

namespace
{

bool Has(const std::map<std::string, std::string>& attributes, const char* name)
{
    return attributes.find(name) != attributes.end();
}

std::string Get(const std::map<std::string, std::string>& attributes, const char* name)
{
    auto it = attributes.find(name);
    return it == attributes.end() ? std::string() : it->second;
}

int32_t ParseDecimal(const std::string& text, int32_t fallback)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin)
    {
        return fallback;
    }
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return int32_t(value);
}

// Integers separated by commas or blanks.
std::vector<int32_t> ParseIntList(const std::string& text)
{
    std::vector<int32_t> out;
    std::string token;
    auto flush = [&]()
    {
        if (!token.empty())
        {
            out.push_back(ParseDecimal(token, 0));
            token.clear();
        }
    };
    for (char c : text)
    {
        if (c == ',' || std::isspace(static_cast<unsigned char>(c)))
            flush();
        else
            token += c;
    }
    flush();
    return out;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The file name of path without directory and extension.
std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return name;
}

// Clears the loading state of a manager's parser pointer on every exit path.
struct ParserScope
{
    XMLParser*& slot;
    ParserScope(XMLParser*& target, XMLParser* parser) : slot(target) { slot = parser; }
    ~ParserScope() { slot = nullptr; }
};

} // namespace

ResourceManager::ResourceManager(ResourceServices* resourceServices) : services(resourceServices)
{
    imagePos = imageMap.end();
    soundPos = soundMap.end();
    fontPos = fontMap.end();
}

ResourceManager::~ResourceManager()
{
    // Fonts may be clones sharing data with other fonts; drop them before
    // the images they draw from.
    fontMap.clear();
    soundMap.clear();
    imageMap.clear();
}

std::string ResourceManager::ErrorText() const
{
    std::lock_guard<std::mutex> lock(stateMutex);
    return errorMessage;
}

bool ResourceManager::RecordError(const std::string& message)
{
    std::lock_guard<std::mutex> lock(stateMutex);
    if (failed)
    {
        return false;
    }
    errorMessage = message;
    if (parser != nullptr)
    {
        if (parser->GetCurrentLineNum() > 0)
        {
            errorMessage += " on Line " + std::to_string(parser->GetCurrentLineNum());
        }
        if (!parser->GetFileName().empty())
        {
            errorMessage += " in File '" + parser->GetFileName() + "'";
        }
    }
    failed = true;
    return false;
}

bool ResourceManager::IsGroupLoaded(const std::string& group) const
{
    std::lock_guard<std::mutex> lock(stateMutex);
    return loadedGroups.count(group) != 0;
}

// --- manifest ---

bool ResourceManager::ReadManifest(const std::string& path)
{
    XMLParser xml;
    if (!xml.OpenFile(path))
    {
        return RecordError("Resource file not found: " + path);
    }
    return ReadManifestWith(xml);
}

bool ResourceManager::ReadManifestText(const std::string& text, const std::string& name)
{
    XMLParser xml;
    xml.OpenText(text, name);
    return ReadManifestWith(xml);
}

bool ResourceManager::ReadManifestWith(XMLParser& xml)
{
    ParserScope scope(parser, &xml);

    XMLElement element;
    while (true)
    {
        if (!xml.NextElement(element))
        {
            if (!xml.HasFailed())
            {
                RecordError("Expecting ResourceManifest tag");
            }
            break;
        }
        // An XML declaration before the manifest is harmless.
        if (element.type == XMLElement::TYPE_INSTRUCTION)
        {
            continue;
        }
        if (element.type != XMLElement::TYPE_START || element.value != "ResourceManifest")
        {
            RecordError("Expecting ResourceManifest tag");
            break;
        }
        ParseManifestBody();
        break;
    }
    if (xml.HasFailed())
    {
        RecordError(xml.GetErrorText());
    }
    return !failed;
}

bool ResourceManager::ParseManifestBody()
{
    XMLElement element;
    while (!failed)
    {
        if (!parser->NextElement(element))
        {
            if (!parser->HasFailed())
            {
                // The file ended with the manifest still open: a cut-off file.
                return RecordError("Unexpected End of File");
            }
            return false;
        }
        if (element.type == XMLElement::TYPE_START)
        {
            if (element.value != "Resources")
            {
                return RecordError("Invalid Section '" + element.value + "'");
            }
            const std::string id = Get(element.attributes, "id");
            if (id.empty())
            {
                return RecordError("No id specified.");
            }
            if (!ParseGroup(id))
            {
                return false;
            }
        }
        else if (element.type == XMLElement::TYPE_END)
        {
            return true;
        }
        else
        {
            return RecordError("Element Not Expected '" + element.value + "'");
        }
    }
    return false;
}

bool ResourceManager::ParseGroup(const std::string& group)
{
    XMLElement element;
    while (!failed)
    {
        if (!parser->NextElement(element))
        {
            if (!parser->HasFailed())
            {
                return RecordError("Unexpected End of File");
            }
            return false;
        }
        if (element.type == XMLElement::TYPE_END)
        {
            return true;
        }
        if (element.type != XMLElement::TYPE_START)
        {
            return RecordError("Element Not Expected '" + element.value + "'");
        }
        const std::string name = element.value;
        if (name == "Image")
            ParseResource(element, BaseRes::ResType_Image, group);
        else if (name == "Sound")
            ParseResource(element, BaseRes::ResType_Sound, group);
        else if (name == "Font")
            ParseResource(element, BaseRes::ResType_Font, group);
        else if (name == "SetDefaults")
            ParseSetDefaults(element);
        else
            return RecordError("Invalid Section '" + name + "'");
        if (failed)
        {
            return false;
        }
        if (!parser->NextElement(element))
        {
            if (!parser->HasFailed())
            {
                return RecordError("Unexpected End of File");
            }
            return false;
        }
        if (element.type != XMLElement::TYPE_END || element.value != name)
        {
            return RecordError("Unexpected element found.");
        }
    }
    return false;
}

void ResourceManager::ParseSetDefaults(const XMLElement& element)
{
    std::string path = Get(element.attributes, "path");
    if (!path.empty())
    {
        if (path.back() == '/' || path.back() == '\\')
        {
            path.pop_back();
        }
        defaultPath = path + "/";
    }
    const std::string prefix = Get(element.attributes, "idprefix");
    if (!prefix.empty())
    {
        defaultIdPrefix = prefix;
    }
}

bool ResourceManager::ParseResource(const XMLElement& element, BaseRes::ResType type, const std::string& group)
{
    const std::string rawPath = Get(element.attributes, "path");
    if (rawPath.empty())
    {
        return RecordError("No path specified.");
    }

    std::unique_ptr<BaseRes> record;
    if (type == BaseRes::ResType_Image)
        record = std::make_unique<ImageRes>();
    else if (type == BaseRes::ResType_Sound)
        record = std::make_unique<SoundRes>();
    else
        record = std::make_unique<FontRes>();

    if (rawPath[0] == '!')
    {
        record->path = rawPath;
        record->programMade = rawPath == "!program";
    }
    else
    {
        record->path = defaultPath + rawPath;
    }
    const std::string idValue = Get(element.attributes, "id");
    record->id = defaultIdPrefix + (idValue.empty() ? BaseName(rawPath) : idValue);
    record->group = group;
    record->attributes = element.attributes;

    ResMap& map = type == BaseRes::ResType_Image ? imageMap : type == BaseRes::ResType_Sound ? soundMap : fontMap;
    if (map.find(record->id) != map.end())
    {
        return RecordError("Resource already defined.");
    }

    const auto& attributes = element.attributes;
    if (type == BaseRes::ResType_Image)
    {
        if (!ParseImageAttributes(static_cast<ImageRes&>(*record)))
        {
            return false;
        }
    }
    else if (type == BaseRes::ResType_Sound)
    {
        auto& sound = static_cast<SoundRes&>(*record);
        if (Has(attributes, "volume"))
        {
            const std::string text = Get(attributes, "volume");
            char* end = nullptr;
            const double volume = std::strtod(text.c_str(), &end);
            if (end != text.c_str())
            {
                sound.volume = volume;
            }
        }
        if (Has(attributes, "pan"))
        {
            sound.pan = ParseDecimal(Get(attributes, "pan"), 0);
        }
    }
    else
    {
        auto& font = static_cast<FontRes&>(*record);
        const std::string image = Get(attributes, "image");
        if (!image.empty())
        {
            font.imagePath = defaultPath + image;
        }
        std::string token;
        for (char c : Get(attributes, "tags") + ",")
        {
            if (c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n')
            {
                if (!token.empty())
                    font.tags.push_back(token);
                token.clear();
            }
            else
            {
                token += c;
            }
        }
    }
    const std::string id = record->id;
    map.emplace(id, std::move(record));
    return true;
}

bool ResourceManager::ParseImageAttributes(ImageRes& record)
{
    const auto& attributes = record.attributes;
    if (Has(attributes, "alphaimage"))
        record.alphaImagePath = defaultPath + Get(attributes, "alphaimage");
    if (Has(attributes, "alphagrid"))
        record.alphaGridPath = defaultPath + Get(attributes, "alphagrid");
    record.variant = Get(attributes, "variant");
    if (Has(attributes, "alphacolor"))
        record.alphaColour = uint32_t(std::strtoul(Get(attributes, "alphacolor").c_str(), nullptr, 16)) & 0xFFFFFF;
    record.keepAlpha = !Has(attributes, "noalpha");
    record.palettize = !Has(attributes, "nopal");
    record.use4444 = Has(attributes, "a4r4g4b4");
    record.use8888 = Has(attributes, "a8r8g8b8");
    record.surfaceOnly = Has(attributes, "ddsurface");
    const bool is3D = services != nullptr && services->Is3D();
    record.discardBits =
        Has(attributes, "nobits") || (is3D && Has(attributes, "nobits3d")) || (!is3D && Has(attributes, "nobits2d"));
    record.minimiseSubdivision = Has(attributes, "minsubdivide");
    // A grid of fewer than one cel has no meaning; keep at least one.
    record.rows = std::max(1, ParseDecimal(Get(attributes, "rows"), 1));
    record.cols = std::max(1, ParseDecimal(Get(attributes, "cols"), 1));

    if (Has(attributes, "anim"))
    {
        const std::string kind = Lower(Get(attributes, "anim"));
        AnimInfo anim;
        if (kind == "none")
            anim.type = AnimType_None;
        else if (kind == "once")
            anim.type = AnimType_Once;
        else if (kind == "loop")
            anim.type = AnimType_Loop;
        else if (kind == "pingpong")
            anim.type = AnimType_PingPong;
        else
            return RecordError("Invalid animation type.");
        if (anim.type != AnimType_None)
        {
            anim.frameDelay = ParseDecimal(Get(attributes, "framedelay"), anim.frameDelay);
            const int32_t beginDelay = ParseDecimal(Get(attributes, "begindelay"), 0);
            const int32_t endDelay = ParseDecimal(Get(attributes, "enddelay"), 0);
            anim.perFrameDelay = ParseIntList(Get(attributes, "perframedelay"));
            anim.frameMap = ParseIntList(Get(attributes, "framemap"));
            const int64_t cels = int64_t(record.rows) * record.cols;
            anim.Compute(int32_t(std::min<int64_t>(cels, INT32_MAX)), beginDelay, endDelay);
            record.animation = anim;
        }
    }
    return true;
}

// --- counting, freeing ---

int32_t ResourceManager::CountResources(const std::string& group) const
{
    if (group.empty())
    {
        return int32_t(imageMap.size() + soundMap.size() + fontMap.size());
    }
    int32_t count = 0;
    for (const ResMap* map : {&imageMap, &soundMap, &fontMap})
    {
        for (const auto& [id, record] : *map)
        {
            if (record->group == group && !record->programMade)
                ++count;
        }
    }
    return count;
}

void ResourceManager::FreeGroup(const std::string& group)
{
    FreeGroupInMap(fontMap, group);
    FreeGroupInMap(imageMap, group);
    FreeGroupInMap(soundMap, group);
    std::lock_guard<std::mutex> lock(stateMutex);
    if (group.empty())
        loadedGroups.clear();
    else
        loadedGroups.erase(group);
}

void ResourceManager::FreeGroupInMap(ResMap& map, const std::string& group)
{
    for (auto& [id, record] : map)
    {
        if (group.empty() || record->group == group)
        {
            record->Release();
        }
    }
}

// --- loading ---

void ResourceManager::BeginGroupLoad(const std::string& group)
{
    loadGroup = group;
    imagePos = imageMap.begin();
    soundPos = soundMap.begin();
    fontPos = fontMap.begin();
}

bool ResourceManager::Step(ResMap& map, ResMap::iterator& position)
{
    if (failed)
    {
        return false;
    }
    while (position != map.end())
    {
        BaseRes& record = *position->second;
        ++position;
        if ((!loadGroup.empty() && record.group != loadGroup) || record.IsLoaded() || record.programMade)
        {
            continue;
        }
        switch (record.type)
        {
            case BaseRes::ResType_Image:
                LoadImageRecord(static_cast<ImageRes&>(record));
                break;
            case BaseRes::ResType_Sound:
                LoadSoundRecord(static_cast<SoundRes&>(record));
                break;
            case BaseRes::ResType_Font:
                LoadFontRecord(static_cast<FontRes&>(record));
                break;
        }
        return true;
    }
    return false;
}

bool ResourceManager::StepImages()
{
    return Step(imageMap, imagePos);
}

bool ResourceManager::StepSounds()
{
    return Step(soundMap, soundPos);
}

bool ResourceManager::StepFonts()
{
    return Step(fontMap, fontPos);
}

bool ResourceManager::LoadStep()
{
    return StepImages() || StepSounds() || StepFonts();
}

bool ResourceManager::LoadGroup(const std::string& group)
{
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        errorMessage.clear();
        failed = false;
    }
    BeginGroupLoad(group);
    while (LoadStep())
    {
    }
    if (failed)
    {
        return false;
    }
    std::lock_guard<std::mutex> lock(stateMutex);
    loadedGroups.insert(group);
    return true;
}

bool ResourceManager::LoadAlphaInto(DDImage& image, const std::string& alphaPath, bool grid,
                                    const std::string& imagePath)
{
    std::unique_ptr<DDImage> alpha = LoadDDImage(alphaPath, false);
    if (alpha == nullptr)
    {
        return RecordError("Failed to load image: " + alphaPath);
    }
    const bool applied = grid ? ApplyAlphaGrid(image, *alpha) : ApplyAlphaImage(image, *alpha);
    if (!applied)
    {
        return RecordError(std::string(grid ? "GridAlphaImage" : "AlphaImage") + " size mismatch between " + imagePath +
                           " and " + alphaPath);
    }
    return true;
}

bool ResourceManager::LoadImageRecord(ImageRes& record)
{
    if (services == nullptr)
    {
        return RecordError("Failed to load image: " + record.path);
    }
    services->SetColorKey(record.alphaColour);
    SharedImageCache::Result result = services->GetSharedImage(record.path, record.variant);
    services->SetColorKey(0xFFFFFF);
    if (result.image == nullptr)
    {
        return RecordError("Failed to load image: " + record.path);
    }
    DDImage& image = *result.image;
    if (result.newlyLoaded)
    {
        if (!record.alphaImagePath.empty() && !LoadAlphaInto(image, record.alphaImagePath, false, record.path))
        {
            return false;
        }
        if (!record.alphaGridPath.empty())
        {
            // The grid covers one cel: the cel layout must be known first.
            image.rows = record.rows;
            image.columns = record.cols;
            if (!LoadAlphaInto(image, record.alphaGridPath, true, record.path))
            {
                return false;
            }
        }
    }
    if (record.surfaceOnly)
    {
        image.surfaceOnly = true;
    }
    if (record.palettize && image.palette.empty())
    {
        image.ReduceToPalette();
    }
    if (record.use4444)
        image.imageFlags |= MemoryImage::ImageFlag_UseA4R4G4B4;
    if (record.use8888)
        image.imageFlags |= MemoryImage::ImageFlag_UseA8R8G8B8;
    if (record.minimiseSubdivision)
        image.imageFlags |= MemoryImage::ImageFlag_MinimizeNumSubdivisions;
    image.animation = record.animation;
    image.rows = record.rows;
    image.columns = record.cols;
    if (record.discardBits)
    {
        image.PurgeBits();
    }
    record.image = result.image;
    return true;
}

bool ResourceManager::LoadSoundRecord(SoundRes& record)
{
    if (services == nullptr || !services->LoadSoundAt(nextSoundId, record.path))
    {
        return RecordError("Failed to load sound: " + record.path);
    }
    if (record.volume >= 0)
    {
        services->SetSoundBaseVolume(nextSoundId, record.volume);
    }
    if (record.pan != 0)
    {
        services->SetSoundBasePan(nextSoundId, record.pan);
    }
    record.soundId = nextSoundId++;
    return true;
}

bool ResourceManager::LoadFontRecord(FontRes& record)
{
    static const std::string refPrefix = "!ref:";
    std::unique_ptr<Font> font;
    if (record.path.compare(0, refPrefix.size(), refPrefix) == 0)
    {
        const std::string name = record.path.substr(refPrefix.size());
        auto it = fontMap.find(name);
        if (it == fontMap.end() || static_cast<FontRes&>(*it->second).font == nullptr)
        {
            return RecordError("Ref font not found: " + name);
        }
        font = static_cast<FontRes&>(*it->second).font->Clone();
    }
    else
    {
        std::shared_ptr<DDImage> image;
        if (!record.imagePath.empty())
        {
            SharedImageCache::Result result;
            if (services != nullptr)
                result = services->GetSharedImage(record.imagePath, "");
            if (result.image == nullptr)
            {
                return RecordError("Failed to load image: " + record.imagePath);
            }
            image = result.image;
        }
        auto imageFont = std::make_unique<ImageFont>(services, record.path, image);
        if (!imageFont->IsLoaded())
        {
            return RecordError("Failed to load font: " + record.path);
        }
        font = std::move(imageFont);
    }
    if (auto* imageFont = dynamic_cast<ImageFont*>(font.get()))
    {
        for (const std::string& tag : record.tags)
        {
            imageFont->AddTag(tag);
        }
    }
    record.font = std::move(font);
    return true;
}

// --- lookups ---

std::shared_ptr<DDImage> ResourceManager::RequireImage(const std::string& id)
{
    auto it = imageMap.find(id);
    if (it != imageMap.end())
    {
        auto& record = static_cast<ImageRes&>(*it->second);
        if (record.image != nullptr)
            return record.image;
        if (record.programMade && tolerateProgramMade)
            return nullptr;
    }
    RecordError("Image resource not found: " + id);
    throw ResourceManagerException(ErrorText());
}

int32_t ResourceManager::RequireSound(const std::string& id)
{
    auto it = soundMap.find(id);
    if (it != soundMap.end())
    {
        auto& record = static_cast<SoundRes&>(*it->second);
        if (record.soundId >= 0)
            return record.soundId;
        if (record.programMade && tolerateProgramMade)
            return -1;
    }
    RecordError("Sound resource not found: " + id);
    throw ResourceManagerException(ErrorText());
}

Font* ResourceManager::RequireFont(const std::string& id)
{
    auto it = fontMap.find(id);
    if (it != fontMap.end())
    {
        auto& record = static_cast<FontRes&>(*it->second);
        if (record.font != nullptr)
            return record.font.get();
        if (record.programMade && tolerateProgramMade)
            return nullptr;
    }
    RecordError("Font resource not found: " + id);
    throw ResourceManagerException(ErrorText());
}

const ImageRes* ResourceManager::FindImage(const std::string& id) const
{
    auto it = imageMap.find(id);
    return it == imageMap.end() ? nullptr : static_cast<const ImageRes*>(it->second.get());
}

const SoundRes* ResourceManager::FindSound(const std::string& id) const
{
    auto it = soundMap.find(id);
    return it == soundMap.end() ? nullptr : static_cast<const SoundRes*>(it->second.get());
}

const FontRes* ResourceManager::FindFont(const std::string& id) const
{
    auto it = fontMap.find(id);
    return it == fontMap.end() ? nullptr : static_cast<const FontRes*>(it->second.get());
}

} // namespace Framework
