frothwick_add_test(NAME test_players
    SOURCES game/screens/players/PlayerScreensTest.cpp game/app/PlayerWiringTest.cpp game/app/RecordsWiringTest.cpp
        game/screens/players/AvatarBrowserTest.cpp
    LIBS frothwick_app frothwick_image_writers)
