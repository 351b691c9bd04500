# The player screens: selection and creation of players, the warning and
# exit dialogs and the avatar import.
target_sources(frothwick_game PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AvatarBrowser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CreatePlayerDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ExitDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayerScreens.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayerSelector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WarningDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/profiles/PlayerScreenHost.cpp)
target_link_libraries(frothwick_game PUBLIC fw_controls)
