# Fuzz targets of the image readers; each corpus is replayed by CTest.
set(graphics_corpus ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus)
frothwick_add_fuzzer(NAME graphics_tga SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/graphics/TgaFuzz.cpp
    LIBS fw_graphics CORPUS ${graphics_corpus}/graphics-tga)
frothwick_add_fuzzer(NAME graphics_gif SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/graphics/GifFuzz.cpp
    LIBS fw_graphics CORPUS ${graphics_corpus}/graphics-gif)
frothwick_add_fuzzer(NAME graphics_loader SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/graphics/LoaderFuzz.cpp
    LIBS fw_graphics CORPUS ${graphics_corpus}/graphics-loader)
