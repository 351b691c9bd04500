frothwick_add_test(NAME test_effects
    SOURCES game/effects/ClockTest.cpp
            game/effects/SpriteParticleTest.cpp
    LIBS frothwick_effects)

frothwick_add_test(NAME test_animations
    SOURCES game/effects/AnimationTest.cpp
    LIBS frothwick_effects)
