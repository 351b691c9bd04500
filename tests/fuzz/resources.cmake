# Fuzz targets of the XML parser (with the manifest reader) and the font
# descriptor reader; each corpus is replayed by CTest.
set(resources_corpus ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus)
frothwick_add_fuzzer(NAME resources_xml SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/resources/XmlFuzz.cpp
    LIBS fw_resources CORPUS ${resources_corpus}/xml)
frothwick_add_fuzzer(NAME resources_fontdesc SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/resources/FontDescFuzz.cpp
    LIBS fw_imagefont CORPUS ${resources_corpus}/fontdesc)
