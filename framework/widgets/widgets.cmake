# fw_widgets: widgets, containers and the widget manager.
add_library(fw_widgets STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Widget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WidgetContainer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WidgetManager.cpp)
target_link_libraries(fw_widgets PUBLIC fw_graphics fw_platform)
frothwick_warnings(fw_widgets)
