set(dir ${CMAKE_CURRENT_LIST_DIR})
frothwick_add_test(NAME test_xml_parser SOURCES ${dir}/XmlParserTest.cpp LIBS fw_resources)
frothwick_add_test(NAME test_resource_manager SOURCES ${dir}/ResourceManagerTest.cpp LIBS fw_resources frothwick_image_writers)
frothwick_add_test(NAME test_resource_data SOURCES ${dir}/ResourceDataTest.cpp LIBS fw_resources LABELS data)
