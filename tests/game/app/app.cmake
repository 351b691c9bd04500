frothwick_add_test(NAME test_game
    SOURCES game/app/ResourceIdsTest.cpp game/app/GameAppTest.cpp game/app/LoadScreenTest.cpp game/app/SplashWindowTest.cpp
        game/app/LoaderShutdownTest.cpp game/app/GameAppAnimationsTest.cpp
    LIBS frothwick_app)

# Start-up against copies of the generated data tree.
frothwick_add_test(NAME test_game_data
    SOURCES game/app/StartupTest.cpp
    LIBS frothwick_app
    LABELS data threads)

# A game recorded and played back through the real loop, on the data tree.
# (The demo's side of the loading thread runs under ThreadSanitizer in
# test_appbase; this one would take minutes there.)
frothwick_add_test(NAME test_game_demo
    SOURCES game/app/GameDemoTest.cpp
    LIBS frothwick_app
    LABELS data
    LONG)
