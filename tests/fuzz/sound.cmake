# Fuzz target of the wave, cache and ".au" readers; the corpus is replayed by
# CTest.
frothwick_add_fuzzer(NAME sound_wave SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/sound/WaveFuzz.cpp
    LIBS fw_sound CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/sound-wave)
