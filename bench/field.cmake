frothwick_add_bench(NAME bench_field SOURCES field/FieldBench.cpp
    LIBS frothwick_play fw_resources)
target_compile_definitions(bench_field PRIVATE
    FROTHWICK_BENCH_DATA_DIR="${FROTHWICK_DATA_DIR}"
    FROTHWICK_MAIN_DATA_DIR="${CMAKE_SOURCE_DIR}/build/bin")
