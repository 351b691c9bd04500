# fw_imagefont: image fonts and their descriptor language.
add_library(fw_imagefont STATIC
    FontData.cpp
    FontDescriptorParser.cpp
    ImageFont.cpp)
target_link_libraries(fw_imagefont PUBLIC fw_graphics Threads::Threads)
frothwick_warnings(fw_imagefont)
