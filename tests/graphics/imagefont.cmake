frothwick_add_test(NAME test_image_font SOURCES ${CMAKE_CURRENT_LIST_DIR}/ImageFontTest.cpp LIBS fw_imagefont)
