# Fuzz target of the stage file reader and the placing of its records.
frothwick_add_fuzzer(NAME stagefile SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/stagefile/StageFileFuzz.cpp
    LIBS frothwick_play CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/stagefile)
