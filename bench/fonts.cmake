frothwick_add_bench(NAME bench_fonts SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fonts/FontBench.cpp LIBS fw_imagefont)
