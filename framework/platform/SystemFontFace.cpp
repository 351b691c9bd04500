#include "framework/platform/SystemFontFace.h"

#include <ft2build.h>
#include FT_SYNTHESIS_H

#include <cmath>

#include "framework/platform/FontFaceLoader.h"

namespace Framework
{

struct SystemFontFace::Impl
{
    LoadedFace loaded;
    bool embolden = false;
    bool oblique = false;
};

SystemFontFace::SystemFontFace(std::unique_ptr<Impl> faceImpl) : impl(std::move(faceImpl)) {}

SystemFontFace::~SystemFontFace() = default;

std::unique_ptr<SystemFontFace> SystemFontFace::Open(const std::string& familyUtf8, int32_t pixelHeight, bool bold,
                                                     bool italic)
{
    if (pixelHeight <= 0 || pixelHeight > 1000)
        return nullptr;
    // Names outside ASCII are matched with Chinese coverage, so that GBK
    // text has glyphs.
    bool ascii = true;
    for (unsigned char c : familyUtf8)
        ascii = ascii && c < 0x80;
    FontPattern match = MatchFontFace(familyUtf8, pixelHeight, bold, italic, !ascii);
    auto impl = std::make_unique<Impl>();
    if (!impl->loaded.Open(match.get(), pixelHeight))
        return nullptr;
    // Bold is synthesised when fontconfig says so or the face is lighter
    // than demibold.
    FcBool emboldenFlag = FcFalse;
    FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &emboldenFlag);
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
    impl->embolden = emboldenFlag == FcTrue || (bold && weight < FC_WEIGHT_DEMIBOLD);
    const FT_Face ftFace = impl->loaded.face;
    impl->oblique = italic && (ftFace->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
    const FT_Size_Metrics& metrics = ftFace->size->metrics;
    std::unique_ptr<SystemFontFace> face(new SystemFontFace(std::move(impl)));
    face->ascent = int32_t(std::lround(double(metrics.ascender) / 64.0));
    face->height = int32_t(std::lround(double(metrics.ascender - metrics.descender) / 64.0));
    return face;
}

bool SystemFontFace::Render(char32_t codePoint, Glyph& glyph)
{
    FT_Face face = impl->loaded.face;
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
