#include "framework/platform/FontFaceLoader.h"

namespace Framework
{

FontPattern MatchFontFace(const std::string& family, int32_t pixelHeight, bool bold, bool italic, bool chinese)
{
    FontPattern pattern(FcPatternCreate());
    if (!pattern)
    {
        return nullptr;
    }
    if (!family.empty())
    {
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    }
    if (chinese)
    {
        // Without the language, a CJK family name unknown here falls back to
        // a Latin face with no ideographs.
        FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    }
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, static_cast<double>(pixelHeight));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    return FontPattern(FcFontMatch(nullptr, pattern.get(), &result));
}

LoadedFace::~LoadedFace()
{
    if (face != nullptr)
    {
        FT_Done_Face(face);
    }
    if (library != nullptr)
    {
        FT_Done_FreeType(library);
    }
}

bool LoadedFace::Open(FcPattern* match, int32_t pixelHeight)
{
    if (match == nullptr || face != nullptr)
    {
        return false;
    }
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch || file == nullptr)
    {
        return false;
    }
    int index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    if (library == nullptr && FT_Init_FreeType(&library) != 0)
    {
        library = nullptr;
        return false;
    }
    if (FT_New_Face(library, reinterpret_cast<const char*>(file), index, &face) != 0)
    {
        face = nullptr;
        return false;
    }
    return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) == 0;
}

} // namespace Framework
