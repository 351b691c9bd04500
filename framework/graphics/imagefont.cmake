# fw_imagefont: image fonts and their descriptor language.
add_library(fw_imagefont STATIC
    FontData.cpp
    FontDescriptorParser.cpp
    ImageFont.cpp)
target_link_libraries(fw_imagefont PUBLIC fw_graphics Threads::Threads)
frothwick_warnings(fw_imagefont)

# fw_sysfont: system-font text (fontconfig and FreeType behind
# SystemFontFace, the only part that includes their headers).
add_library(fw_sysfont STATIC
    SysFont.cpp
    ../platform/SystemFontFace.cpp)
target_link_libraries(fw_sysfont PUBLIC fw_graphics PRIVATE PkgConfig::FREETYPE PkgConfig::FONTCONFIG)
frothwick_warnings(fw_sysfont)
