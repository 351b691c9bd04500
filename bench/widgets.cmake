frothwick_add_bench(NAME bench_widgets SOURCES widgets/WidgetsBench.cpp LIBS fw_widgets)
