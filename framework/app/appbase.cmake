# fw_app: the application base (loop, timing, settings, main window, cursors).
add_library(fw_app STATIC
    ${CMAKE_CURRENT_LIST_DIR}/AppBase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppBaseDemo.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DemoFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppBaseSound.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppBaseSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppBaseWidgets.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppBaseWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CursorHotSpots.cpp)
target_link_libraries(fw_app PUBLIC fw_controls fw_widgets fw_sound fw_resources fw_display fw_graphics fw_platform Threads::Threads PRIVATE fw_files PkgConfig::ZLIB)
frothwick_warnings(fw_app)
# The product version is a constant of the build.
target_compile_definitions(fw_app PRIVATE FROTHWICK_VERSION="${PROJECT_VERSION}")
