frothwick_add_bench(NAME bench_controls SOURCES widgets/ControlsBench.cpp LIBS fw_controls)
