# Fuzz target of the records file: a load-save round trip of any bytes.
frothwick_add_fuzzer(NAME records SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/records/RecordsFileFuzz.cpp
    LIBS frothwick_records CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/records)
