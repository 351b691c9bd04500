frothwick_add_bench(NAME bench_anims SOURCES anims/AnimationBench.cpp
    LIBS frothwick_effects)
