# Fuzz target of the demo file reader; the corpus is replayed by CTest.
frothwick_add_fuzzer(NAME demo SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/demo/DemoFuzz.cpp LIBS fw_app
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/demo)
