frothwick_add_test(NAME test_game
    SOURCES game/ResourceIdsTest.cpp game/GameAppTest.cpp game/LoadScreenTest.cpp game/SplashWindowTest.cpp
    LIBS frothwick_game)

# Start-up against copies of the generated data tree.
frothwick_add_test(NAME test_game_data
    SOURCES game/StartupTest.cpp
    LIBS frothwick_game
    LABELS data)
