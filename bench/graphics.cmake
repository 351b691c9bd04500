frothwick_add_bench(NAME bench_graphics SOURCES graphics/GraphicsBench.cpp LIBS fw_graphics)
