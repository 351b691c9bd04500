# Texture fonts: system-font text rendered once into cached texture pages.
add_library(fw_texturefont STATIC
    TextureFont.cpp
    TextureFontData.cpp
    ../platform/GlyphRasterizer.cpp)
target_link_libraries(fw_texturefont PUBLIC fw_graphics PRIVATE PkgConfig::FREETYPE PkgConfig::FONTCONFIG PkgConfig::SDL2)
frothwick_warnings(fw_texturefont)
