# The menu screens: main menu, difficulty, world and stage selection, the
# change-mode dialog and what they share.
target_sources(frothwick_game PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ButtonFeedback.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChangeModeDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChooseStageDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommonBkgdWidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogDrag.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DifficultySelector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuPanels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WorldSelector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WorldSphere.cpp)
target_link_libraries(frothwick_game PUBLIC fw_controls fw_lumora)
