# Texture fonts: system-font text rendered once into cached texture pages.
add_library(fw_texturefont STATIC
    TextureFont.cpp
    TextureFontData.cpp)
target_link_libraries(fw_texturefont PUBLIC fw_graphics fw_fonts)
frothwick_warnings(fw_texturefont)
