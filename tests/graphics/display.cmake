frothwick_add_test(NAME test_display
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/DisplayChangeFinderTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/DisplayTest.cpp
    LIBS fw_display)
