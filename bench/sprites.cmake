frothwick_add_bench(NAME bench_sprites SOURCES sprites/SpriteGridBench.cpp
    LIBS frothwick_sprites fw_resources)
target_compile_definitions(bench_sprites PRIVATE
    FROTHWICK_BENCH_DATA_DIR="${FROTHWICK_DATA_DIR}"
    FROTHWICK_MAIN_DATA_DIR="${CMAKE_SOURCE_DIR}/build/bin")
