// Resource records of the ResourceManager: one per image, sound or font the
// manifest defines. A record holds what the manifest said about the resource
// and, once its group is loaded, the loaded data. Release() drops the loaded
// data again (a sound stays in the sound manager; only the id is forgotten).
// Records belong to the manager; the data they hand out (images shared, fonts
// only referenced) lives until the record's group is freed.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/graphics/AnimInfo.h"
#include "framework/graphics/Font.h"

namespace Framework
{

class DDImage;

struct BaseRes
{
    enum ResType : int32_t
    {
        ResType_Image = 0,
        ResType_Sound = 1,
        ResType_Font = 2,
    };

    ResType type = ResType_Image;
    std::string id;    // prefix included
    std::string group; // the id of the enclosing "Resources" element
    std::string path;  // default path in front, or verbatim when it starts with "!"
    bool programMade = false;
    std::map<std::string, std::string> attributes;

    explicit BaseRes(ResType resType) : type(resType) {}
    BaseRes(const BaseRes&) = delete;
    BaseRes& operator=(const BaseRes&) = delete;
    virtual ~BaseRes() = default;
    virtual void Release() {}
    virtual bool IsLoaded() const = 0;
};

struct ImageRes : BaseRes
{
    std::shared_ptr<DDImage> image;
    std::string alphaImagePath;
    std::string alphaGridPath;
    std::string variant;
    uint32_t alphaColour = 0xFFFFFF;
    bool keepAlpha = true;
    bool palettize = true;
    bool use4444 = false;
    bool use8888 = false;
    bool surfaceOnly = false;
    bool discardBits = false;
    bool minimiseSubdivision = false;
    int32_t rows = 1;
    int32_t cols = 1;
    std::optional<AnimInfo> animation;

    ImageRes() : BaseRes(ResType_Image) {}
    ~ImageRes() override;
    void Release() override;
    bool IsLoaded() const override { return image != nullptr; }
};

struct SoundRes : BaseRes
{
    int32_t soundId = -1;
    double volume = -1.0; // < 0: keep the sound's own volume
    int32_t pan = 0;

    SoundRes() : BaseRes(ResType_Sound) {}
    void Release() override { soundId = -1; }
    bool IsLoaded() const override { return soundId >= 0; }
};

struct FontRes : BaseRes
{
    std::unique_ptr<Font> font;
    std::string imagePath;
    std::vector<std::string> tags;

    FontRes() : BaseRes(ResType_Font) {}
    ~FontRes() override;
    void Release() override;
    bool IsLoaded() const override { return font != nullptr; }
};

} // namespace Framework
