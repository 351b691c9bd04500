frothwick_add_test(NAME test_game
    SOURCES game/ResourceIdsTest.cpp
    LIBS frothwick_game)
