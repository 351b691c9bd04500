frothwick_add_test(NAME test_menus
    SOURCES game/screens/menu/MenuScreensTest.cpp game/screens/dialogs/ChangeModeDialogTest.cpp game/screens/menu/MenuPanelsTest.cpp
    LIBS frothwick_app)
