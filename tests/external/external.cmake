frothwick_add_test(NAME test_external
    SOURCES
        external/Vector2Test.cpp
        external/EffectTest.cpp
        external/SimpleEffectTest.cpp
        external/ParticleSystemTest.cpp
        external/TimeManagerTest.cpp
        external/RandomTest.cpp
    LIBS fw_lumora fw_timer fw_util)
