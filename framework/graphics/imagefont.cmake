# fw_imagefont: image fonts and their descriptor language.
add_library(fw_imagefont STATIC
    FontData.cpp
    FontDescriptorParser.cpp
    ImageFont.cpp)
target_link_libraries(fw_imagefont PUBLIC fw_graphics Threads::Threads)
frothwick_warnings(fw_imagefont)

# fw_sysfont: system-font text (the face comes from the platform's fw_fonts).
add_library(fw_sysfont STATIC SysFont.cpp)
target_link_libraries(fw_sysfont PUBLIC fw_graphics fw_fonts)
frothwick_warnings(fw_sysfont)
