frothwick_add_bench(NAME bench_saving
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/platform/SavingBench.cpp
    LIBS frothwick_profiles fw_platform)
