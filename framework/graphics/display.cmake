# fw_display: the display (screen image, present path, display images, cursor
# image) on the platform layer.
add_library(fw_display STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DDInterface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DisplayChangeFinder.cpp)
target_link_libraries(fw_display PUBLIC fw_graphics fw_platform)
frothwick_warnings(fw_display)
