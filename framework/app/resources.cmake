# fw_resources: the XML pull parser, the resource manifest and the resource
# manager that loads images, sounds and fonts by group.
add_library(fw_resources STATIC
    ${CMAKE_CURRENT_LIST_DIR}/XmlParser.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResourceRecords.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResourceServices.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ResourceManager.cpp)
target_link_libraries(fw_resources PUBLIC fw_imagefont fw_graphics Threads::Threads)
frothwick_warnings(fw_resources)
