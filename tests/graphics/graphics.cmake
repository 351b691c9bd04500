frothwick_add_test(NAME test_graphics
    SOURCES
        graphics/ImageTest.cpp
    LIBS fw_graphics)
