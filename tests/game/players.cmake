frothwick_add_test(NAME test_players
    SOURCES game/PlayerScreensTest.cpp game/PlayerWiringTest.cpp game/AvatarBrowserTest.cpp
    LIBS frothwick_game frothwick_image_writers)
