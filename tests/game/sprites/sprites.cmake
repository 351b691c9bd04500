frothwick_add_test(NAME test_sprites
    SOURCES game/sprites/BubbleSpriteTest.cpp
            game/sprites/ObstacleSpriteTest.cpp
            game/sprites/WindCloudSpriteTest.cpp
    LIBS frothwick_sprites)
