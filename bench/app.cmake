frothwick_add_bench(NAME bench_present
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/app/PresentBench.cpp
    LIBS fw_display fw_platform)
