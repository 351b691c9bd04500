// FontBaker: rasterises printable ASCII (32..126) of a system face into
// image-font glyph strips and writes the font descriptor that maps them.
// Glyph layers are white so that callers colour the text; display fonts add
// a black outline layer and/or a soft shadow layer drawn beneath the glyphs.
// Every layer sets its ascent, so the y of drawn text is its baseline.
#pragma once

#include <string>

namespace Art
{

struct FontRecipe
{
    std::string id;     // identifier without the FONT_ prefix
    std::string file;   // descriptor base name inside fonts/
    std::string family; // fontconfig family
    bool bold = true;
    bool italic = false;
    bool condensed = false;
    double px = 12;     // pixel size
    double outline = 0; // outline layer stroke radius, 0: none
    int shadow = 0;     // shadow layer offset, 0: none
    int maxHeight = 0;  // cap on the line height, 0: none
};

// Bakes the recipe into outDir/fonts/. Returns false on an I/O error.
bool BakeFont(const FontRecipe& recipe, const std::string& outDir, std::string& error);

} // namespace Art
