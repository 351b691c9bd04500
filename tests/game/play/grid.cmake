# The grid alone, without a play field.
frothwick_add_test(NAME test_grid
    SOURCES game/play/BubbleGridTest.cpp
    LIBS frothwick_play)
