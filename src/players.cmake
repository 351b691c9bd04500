# The player screens: selection and creation of players, the warning and
# exit dialogs and the avatar import.
target_sources(frothwick_game PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/screens/players/AvatarBrowser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/players/CreatePlayerDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/dialogs/ExitDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/app/PlayerScreens.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/players/PlayerSelector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/dialogs/WarningDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/screens/players/PlayerScreenHost.cpp)
target_link_libraries(frothwick_game PUBLIC fw_controls)
