# The game library (everything of the game but its entry) and the program.
add_library(frothwick_game STATIC
    ${CMAKE_CURRENT_LIST_DIR}/screens/game/Board.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app/FadeWidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app/GameApp.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app/LoadScreen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/menu/MenuBackground.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app/ResourceBinding.cpp)
target_link_libraries(frothwick_game PUBLIC fw_app fw_widgets fw_controls fw_texturefont fw_splash
    frothwick_profiles frothwick_core fw_timer fw_util)
frothwick_warnings(frothwick_game)

# The program: a thin entry over the game library.
add_executable(frothwick ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(frothwick PRIVATE frothwick_game)
frothwick_warnings(frothwick)
