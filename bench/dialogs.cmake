frothwick_add_bench(NAME bench_dialogs SOURCES dialogs/HighScoreBench.cpp
    LIBS frothwick_screens_game fw_resources)
target_compile_definitions(bench_dialogs PRIVATE
    FROTHWICK_BENCH_DATA_DIR="${FROTHWICK_DATA_DIR}"
    FROTHWICK_MAIN_DATA_DIR="${CMAKE_SOURCE_DIR}/build/bin")
