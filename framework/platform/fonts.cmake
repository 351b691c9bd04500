# fw_fonts: the system's fonts through fontconfig and FreeType -- the face
# behind system-font text and the glyph rasteriser behind texture fonts (the
# only code that includes their headers).
add_library(fw_fonts STATIC
    ${CMAKE_CURRENT_LIST_DIR}/FontFaceLoader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemFontFace.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GlyphRasterizer.cpp)
target_link_libraries(fw_fonts PUBLIC fw_platform Threads::Threads PRIVATE PkgConfig::FREETYPE PkgConfig::FONTCONFIG PkgConfig::SDL2)
frothwick_warnings(fw_fonts)
