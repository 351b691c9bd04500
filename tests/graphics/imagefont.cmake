set(dir ${CMAKE_CURRENT_LIST_DIR})
frothwick_add_test(NAME test_image_font SOURCES ${dir}/ImageFontTest.cpp LIBS fw_imagefont)
frothwick_add_test(NAME test_sys_font SOURCES ${dir}/ImageFontSysFontTest.cpp LIBS fw_sysfont)
