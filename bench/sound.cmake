frothwick_add_bench(NAME bench_sound
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound/SoundBench.cpp
    LIBS fw_sound)
target_compile_definitions(bench_sound PRIVATE FROTHWICK_DATA_DIR="${FROTHWICK_DATA_DIR}")
