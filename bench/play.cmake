frothwick_add_bench(NAME bench_play SOURCES play/RulesBench.cpp
    LIBS frothwick_play)
target_compile_definitions(bench_play PRIVATE
    FROTHWICK_BENCH_SCRIPT_DIR="${CMAKE_SOURCE_DIR}/assets")
