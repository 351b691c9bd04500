#include "framework/platform/SystemFontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <cmath>

namespace Framework
{

struct SystemFontFace::Impl
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    bool embolden = false;
    bool oblique = false;

    ~Impl()
    {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
};

namespace
{

// The face file fontconfig picks for the family, with whether bold must be
// synthesised.
bool FindFace(const std::string& family, int32_t pixelHeight, bool bold, bool italic, std::string& file, int& index,
              bool& embolden)
{
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr)
        return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    bool ascii = true;
    for (unsigned char c : family)
        ascii = ascii && c < 0x80;
    if (!ascii)
    {
        FcLangSet* langs = FcLangSetCreate();
        FcLangSetAdd(langs, reinterpret_cast<const FcChar8*>("zh-cn"));
        FcPatternAddLangSet(pattern, FC_LANG, langs);
        FcLangSetDestroy(langs);
    }
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, double(pixelHeight));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        return false;
    FcChar8* path = nullptr;
    bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr;
    if (found)
    {
        file = reinterpret_cast<const char*>(path);
        index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcBool emboldenFlag = FcFalse;
        FcPatternGetBool(match, FC_EMBOLDEN, 0, &emboldenFlag);
        int weight = FC_WEIGHT_REGULAR;
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        embolden = emboldenFlag == FcTrue || (bold && weight < FC_WEIGHT_DEMIBOLD);
    }
    FcPatternDestroy(match);
    return found;
}

} // namespace

SystemFontFace::SystemFontFace(std::unique_ptr<Impl> faceImpl) : impl(std::move(faceImpl)) {}

SystemFontFace::~SystemFontFace() = default;

std::unique_ptr<SystemFontFace> SystemFontFace::Open(const std::string& familyUtf8, int32_t pixelHeight, bool bold,
                                                     bool italic)
{
    if (pixelHeight <= 0 || pixelHeight > 1000)
        return nullptr;
    std::string file;
    int index = 0;
    bool embolden = false;
    if (!FindFace(familyUtf8, pixelHeight, bold, italic, file, index, embolden))
        return nullptr;
    auto impl = std::make_unique<Impl>();
    if (FT_Init_FreeType(&impl->library) != 0)
        return nullptr;
    if (FT_New_Face(impl->library, file.c_str(), index, &impl->face) != 0)
        return nullptr;
    if (FT_Set_Pixel_Sizes(impl->face, 0, FT_UInt(pixelHeight)) != 0)
        return nullptr;
    impl->embolden = embolden;
    impl->oblique = italic && (impl->face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
    const FT_Size_Metrics& metrics = impl->face->size->metrics;
    std::unique_ptr<SystemFontFace> face(new SystemFontFace(std::move(impl)));
    face->ascent = int32_t(std::lround(double(metrics.ascender) / 64.0));
    face->height = int32_t(std::lround(double(metrics.ascender - metrics.descender) / 64.0));
    return face;
}

bool SystemFontFace::Render(char32_t codePoint, Glyph& glyph)
{
    FT_Face face = impl->face;
    const FT_UInt index = FT_Get_Char_Index(face, FT_ULong(codePoint));
    if (index == 0 && codePoint != U' ')
        return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0)
        return false;
    if (impl->oblique)
        FT_GlyphSlot_Oblique(face->glyph);
    if (impl->embolden)
        FT_GlyphSlot_Embolden(face->glyph);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return false;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    glyph.width = int32_t(bitmap.width);
    glyph.height = int32_t(bitmap.rows);
    glyph.left = face->glyph->bitmap_left;
    glyph.top = face->glyph->bitmap_top;
    glyph.advance = int32_t(std::lround(double(face->glyph->advance.x) / 64.0));
    glyph.coverage.assign(size_t(glyph.width) * size_t(glyph.height), 0);
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return true;
    for (int32_t y = 0; y < glyph.height; ++y)
    {
        const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        for (int32_t x = 0; x < glyph.width; ++x)
            glyph.coverage[size_t(y) * size_t(glyph.width) + size_t(x)] = row[x];
    }
    return true;
}

int32_t SystemFontFace::ScreenVerticalDpi()
{
    // The software display has no physical size to ask; text is laid out at
    // the conventional 96 dots per inch.
    return 96;
}

} // namespace Framework
