# The menu screens: main menu, difficulty, world and stage selection, the
# change-mode dialog and what they share.
target_sources(frothwick_game PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/screens/common/ButtonFeedback.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/dialogs/ChangeModeDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/menu/ChooseStageDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/common/CommonBkgdWidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/common/DialogDrag.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/menu/DifficultySelector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/menu/MainMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/menu/MenuPanels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/menu/WorldSelector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/menu/WorldSphere.cpp)
target_link_libraries(frothwick_game PUBLIC fw_controls fw_lumora)
