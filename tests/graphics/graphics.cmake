# Writers of small image files, shared by the loader tests and benchmarks.
add_library(frothwick_image_writers STATIC ${CMAKE_SOURCE_DIR}/tests/support/ImageFileWriters.cpp)
target_link_libraries(frothwick_image_writers PUBLIC frothwick_test_support PRIVATE PkgConfig::PNG PkgConfig::JPEG)
frothwick_warnings(frothwick_image_writers)

frothwick_add_test(NAME test_graphics
    SOURCES
        graphics/GraphicsTest.cpp
        graphics/ImageLoaderTest.cpp
        graphics/MemoryImageTest.cpp
    LIBS fw_graphics frothwick_image_writers)
