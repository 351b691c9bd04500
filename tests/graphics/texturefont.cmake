frothwick_add_test(NAME test_texturefont
    SOURCES
        graphics/TextureFontTest.cpp
        graphics/FallbackFontTest.cpp
        graphics/TextureFontRasterizerTest.cpp
    LIBS fw_texturefont)
