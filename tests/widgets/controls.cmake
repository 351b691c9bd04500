frothwick_add_test(NAME test_controls
    SOURCES
        widgets/ButtonWidgetTest.cpp
        widgets/DialogTest.cpp
        widgets/EditWidgetTest.cpp
        widgets/GbkTextTest.cpp
        widgets/SliderCheckboxTest.cpp
    LIBS fw_controls frothwick_controls_demo fw_platform)
