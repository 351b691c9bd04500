# fw_controls: the standard controls (buttons, links, check boxes, sliders,
# text fields, message boxes) on the widget tree and the GBK text helpers.
add_library(fw_controls STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ButtonWidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Checkbox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlHost.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditWidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GbkText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HyperlinkWidget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Slider.cpp)
target_link_libraries(fw_controls PUBLIC fw_widgets fw_sysfont fw_texturefont fw_graphics fw_platform)
frothwick_warnings(fw_controls)
