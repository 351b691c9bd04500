frothwick_add_test(NAME test_examples
    SOURCES examples/ControlsDemoTest.cpp
    LIBS fw_controls frothwick_controls_demo fw_platform)
