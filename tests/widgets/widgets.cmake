frothwick_add_test(NAME test_widgets
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/WidgetTreeTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WidgetInputTest.cpp
    LIBS fw_widgets)
