#include "framework/platform/GlyphRasterizer.h"

#include <SDL.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <utility>

#include "framework/platform/FontFaceLoader.h"
#include "framework/platform/TextConverter.h"

namespace Framework
{

namespace
{


// The face's name as UTF-8; names that are plain ASCII or not valid GBK are
// passed on unchanged.
std::string FaceNameUtf8(const std::string& faceGbk)
{
    TextConverter toUtf8("UTF-8", "GBK");
    std::string utf8;
    return toUtf8.Convert(faceGbk, utf8) ? utf8 : faceGbk;
}

// A common ideograph: a face that has it is taken to cover GBK text.
constexpr FcChar32 kProbeCharacter = 0x4E2D;

bool CoversChinese(FcPattern* match)
{
    FcCharSet* charset = nullptr;
    return FcPatternGetCharSet(match, FC_CHARSET, 0, &charset) == FcResultMatch &&
           FcCharSetHasChar(charset, kProbeCharacter);
}

} // namespace

struct GlyphRasterizer::Impl
{
    LoadedFace loaded;
    Format format = Format::Mono;
    bool embolden = false;
    bool oblique = false;
    std::int32_t ascent = 0;
    std::int32_t height = 0;
    std::string family;
};

GlyphRasterizer::GlyphRasterizer(std::unique_ptr<Impl> implementation) : impl(std::move(implementation)) {}

GlyphRasterizer::~GlyphRasterizer() = default;

std::unique_ptr<GlyphRasterizer> GlyphRasterizer::Create(const std::string& faceGbk, std::int32_t pixelHeight,
                                                         bool bold, bool italic, bool /*underline*/, Format format)
{
    if (pixelHeight <= 0)
    {
        return nullptr;
    }
    FontPattern match = MatchFontFace(FaceNameUtf8(faceGbk), pixelHeight, bold, italic, true);
    if (!match || !CoversChinese(match.get()))
    {
        // The named face is missing and its substitute lacks ideographs: any
        // face for the language will do.
        FontPattern any = MatchFontFace("", pixelHeight, bold, italic, true);
        if (any && (!match || CoversChinese(any.get())))
        {
            match = std::move(any);
        }
    }
    if (!match)
    {
        return nullptr;
    }

    auto impl = std::make_unique<Impl>();
    impl->format = format;
    if (!impl->loaded.Open(match.get(), pixelHeight))
    {
        return nullptr;
    }
    FT_Face face = impl->loaded.face;

    FcBool embolden = FcFalse;
    FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &embolden);
    impl->embolden = bold && (embolden == FcTrue || (face->style_flags & FT_STYLE_FLAG_BOLD) == 0);
    impl->oblique = italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;

    FcChar8* familyName = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &familyName) == FcResultMatch)
    {
        impl->family = reinterpret_cast<const char*>(familyName);
    }

    // The Windows ascent and descent of the face, as the system text metrics
    // report them, scaled to the em height and rounded to nearest; FreeType's
    // own size metrics (rounded outwards) for faces without them.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double unitsPerEm = face->units_per_EM;
    if (os2 != nullptr && os2->version != 0xFFFF && unitsPerEm > 0 && os2->usWinAscent + os2->usWinDescent > 0)
    {
        const double scale = pixelHeight / unitsPerEm;
        impl->ascent = static_cast<std::int32_t>(std::lround(os2->usWinAscent * scale));
        impl->height = impl->ascent + static_cast<std::int32_t>(std::lround(os2->usWinDescent * scale));
    }
    else
    {
        const FT_Size_Metrics& metrics = face->size->metrics;
        impl->ascent = static_cast<std::int32_t>(metrics.ascender >> 6);
        impl->height = static_cast<std::int32_t>((metrics.ascender - metrics.descender) >> 6);
    }
    return std::unique_ptr<GlyphRasterizer>(new GlyphRasterizer(std::move(impl)));
}

std::int32_t GlyphRasterizer::Ascent() const
{
    return impl->ascent;
}

std::int32_t GlyphRasterizer::Height() const
{
    return impl->height;
}

std::string GlyphRasterizer::FamilyName() const
{
    return impl->family;
}

int GlyphRasterizer::MaxLevel(Format format)
{
    switch (format)
    {
        case Format::Mono:
            return 1;
        case Format::Levels5:
            return 4;
        case Format::Levels17:
            return 16;
        case Format::Levels65:
            return 64;
    }
    return 1;
}

char32_t GlyphRasterizer::GbkToUnicode(std::uint16_t code)
{
    // Opened once per thread: glyphs are built one at a time, and opening a
    // converter costs more than a conversion.
    thread_local TextConverter toUnicode("UTF-32LE", "GBK");
    const std::string in{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    std::string out;
    if (!toUnicode.Convert(in, out) || out.size() != 4)
    {
        return 0;
    }
    const auto byte = [&out](int i) { return static_cast<char32_t>(static_cast<unsigned char>(out[i])); };
    return byte(0) | (byte(1) << 8) | (byte(2) << 16) | (byte(3) << 24);
}

bool GlyphRasterizer::Render(std::uint32_t character, Glyph& glyph)
{
    if (character > 0xFFFF)
    {
        return false;
    }
    const char32_t codePoint =
        character < 0x80 ? static_cast<char32_t>(character) : GbkToUnicode(static_cast<std::uint16_t>(character));
    if (codePoint == 0)
    {
        return false;
    }
    const FT_UInt glyphIndex = FT_Get_Char_Index(impl->loaded.face, codePoint);
    if (glyphIndex == 0)
    {
        return false;
    }
    const bool mono = impl->format == Format::Mono;
    const FT_Int32 loadFlags = FT_LOAD_DEFAULT | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    if (FT_Load_Glyph(impl->loaded.face, glyphIndex, loadFlags) != 0)
    {
        return false;
    }
    FT_GlyphSlot slot = impl->loaded.face->glyph;
    if (impl->embolden)
    {
        FT_GlyphSlot_Embolden(slot);
    }
    if (impl->oblique)
    {
        FT_GlyphSlot_Oblique(slot);
    }
    if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
    {
        return false;
    }

    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = static_cast<std::int32_t>(bitmap.width);
    glyph.height = static_cast<std::int32_t>(bitmap.rows);
    glyph.originX = slot->bitmap_left;
    glyph.originY = slot->bitmap_top;
    glyph.advance = static_cast<std::int32_t>((slot->advance.x + 32) >> 6);
    glyph.levels.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height), 0);

    const int maxLevel = MaxLevel(impl->format);
    const int grays = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
    for (std::int32_t r = 0; r < glyph.height; ++r)
    {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(r) * bitmap.pitch;
        std::uint8_t* out = glyph.levels.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(glyph.width);
        for (std::int32_t k = 0; k < glyph.width; ++k)
        {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
            {
                const bool set = (row[k >> 3] & (0x80 >> (k & 7))) != 0;
                out[k] = set ? static_cast<std::uint8_t>(maxLevel) : 0;
            }
            else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
            {
                out[k] = static_cast<std::uint8_t>((row[k] * maxLevel + grays / 2) / grays);
            }
            else
            {
                return false;
            }
        }
    }
    return true;
}

int GlyphRasterizer::ScreenVerticalDpi()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
    {
        return 96;
    }
    float vertical = 0.0f;
    if (SDL_GetDisplayDPI(0, nullptr, nullptr, &vertical) != 0 || !(vertical > 0.0f))
    {
        return 96;
    }
    return static_cast<int>(std::lround(vertical));
}

} // namespace Framework
