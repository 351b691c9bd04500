# The program: a thin entry over the framework (the game library joins here).
add_executable(frothwick ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(frothwick PRIVATE fw_app)
frothwick_warnings(frothwick)

