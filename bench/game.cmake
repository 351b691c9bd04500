frothwick_add_bench(NAME bench_game SOURCES game/GameBench.cpp
    LIBS frothwick_screens_game fw_resources fw_display)
target_compile_definitions(bench_game PRIVATE
    FROTHWICK_BENCH_DATA_DIR="${FROTHWICK_DATA_DIR}"
    FROTHWICK_MAIN_DATA_DIR="${CMAKE_SOURCE_DIR}/build/bin")
