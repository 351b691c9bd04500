# Fuzz target of the design script host's reading of answers.
frothwick_add_fuzzer(NAME script SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/script/DesignScriptFuzz.cpp
    LIBS frothwick_script PkgConfig::LUA PkgConfig::ACE CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/script)
