frothwick_add_bench(NAME bench_script SOURCES script/DesignScriptBench.cpp
    LIBS frothwick_script)
target_compile_definitions(bench_script PRIVATE
    FROTHWICK_DESIGN_SCRIPT="${CMAKE_SOURCE_DIR}/assets/script/design.lua")
