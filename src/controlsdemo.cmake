# The controls' test panel, shown by the program to exercise the standard
# controls in a real window.
add_library(frothwick_controls_demo STATIC ${CMAKE_CURRENT_LIST_DIR}/ControlsDemo.cpp)
target_link_libraries(frothwick_controls_demo PUBLIC fw_controls fw_texturefont)
target_include_directories(frothwick_controls_demo PUBLIC ${CMAKE_CURRENT_LIST_DIR})
frothwick_warnings(frothwick_controls_demo)
