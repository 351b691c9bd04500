# The game screen: the board and the play field's frame and side panel.
frothwick_add_test(NAME test_game_screen
    SOURCES game/screens/game/BoardTest.cpp game/play/GameAreaDrawTest.cpp
    LIBS frothwick_screens_game)
