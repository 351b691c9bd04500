# The real program in Xvfb, driven by xdotool (skipped where they are missing).
frothwick_add_test(NAME test_e2e
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowEndToEndTest.cpp
    LIBS
    LABELS e2e)
target_compile_definitions(test_e2e PRIVATE FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>")
add_dependencies(test_e2e frothwick)
