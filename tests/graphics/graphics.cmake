frothwick_add_test(NAME test_graphics
    SOURCES
        graphics/GraphicsTest.cpp
        graphics/MemoryImageTest.cpp
    LIBS fw_graphics)
