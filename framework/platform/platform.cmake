# fw_platform: the SDL window, input, cursors, message boxes and present path,
# the clock, the settings files (written through fw_files), the single-instance
# lock and the clipboard.
add_library(fw_platform STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Letterbox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QuitSignals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SdlClipboard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SdlPlatform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SingleInstance.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextConverter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UserFolders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VirtualKeys.cpp)
target_link_libraries(fw_platform PUBLIC fw_files Threads::Threads PRIVATE PkgConfig::SDL2)
frothwick_warnings(fw_platform)
