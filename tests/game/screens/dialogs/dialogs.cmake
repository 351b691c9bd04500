# The in-game bars and dialogs, the high-score dialog and the settings
# dialog, through the widget manager on memory screens.
frothwick_add_test(NAME test_game_dialogs
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/GameDialogsTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/HighScoreDialogTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ConfigDialogTest.cpp
    LIBS frothwick_screens_game frothwick_image_writers)
