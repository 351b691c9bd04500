frothwick_add_test(NAME test_menus
    SOURCES game/MenuScreensTest.cpp game/ChangeModeDialogTest.cpp game/MenuPanelsTest.cpp
    LIBS frothwick_game)
