// FontFaceLoader: what the system-font face and the glyph rasteriser share --
// fontconfig's match for a family, and FreeType's library with one face of
// the match opened at one pixel size. Internal to fw_fonts (it includes the
// fontconfig and FreeType headers). A loaded face is used by one thread at a
// time; faces are independent.
#pragma once

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <memory>
#include <string>

namespace Framework
{

struct FontPatternDeleter
{
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using FontPattern = std::unique_ptr<FcPattern, FontPatternDeleter>;

// Fontconfig's best face for the family (any family when empty) at the pixel
// height, weight and slant; with chinese, faces for Chinese text are asked
// for. Null when fontconfig finds none.
FontPattern MatchFontFace(const std::string& family, int32_t pixelHeight, bool bold, bool italic, bool chinese);

class LoadedFace
{
public:
    LoadedFace() = default;
    ~LoadedFace();
    LoadedFace(const LoadedFace&) = delete;
    LoadedFace& operator=(const LoadedFace&) = delete;

    // The match's face file and index at the pixel height; false when it
    // cannot be opened or sized.
    bool Open(FcPattern* match, int32_t pixelHeight);

    FT_Face face = nullptr;

private:
    FT_Library library = nullptr;
};

} // namespace Framework
