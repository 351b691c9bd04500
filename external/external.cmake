# Our own effect, timer and random-number components.

add_library(fw_util STATIC
    util/RandomUtil.cpp
    util/RuntimeRandom.cpp)
frothwick_warnings(fw_util)

add_library(fw_lumora STATIC
    lumora/Vector2.cpp
    lumora/Math.cpp
    lumora/Effect.cpp
    lumora/EffectManager.cpp
    lumora/ParticleSystem.cpp
    lumora/BurstParticleSystem.cpp
    lumora/ParticleSystemManager.cpp)
target_link_libraries(fw_lumora PUBLIC fw_util)
frothwick_warnings(fw_lumora)

add_library(fw_timer STATIC
    timer/TimeManager.cpp)
target_link_libraries(fw_timer PUBLIC PkgConfig::ACE)
frothwick_warnings(fw_timer)
