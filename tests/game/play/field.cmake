# Stage set-up, the shooter and the play field.
frothwick_add_test(NAME test_field
    SOURCES game/play/StageFileTest.cpp
            game/play/GenerateStageTest.cpp
            game/play/GameAreaWidgetTest.cpp
            game/play/PlaySeedTest.cpp
            game/play/GameAreaRulesTest.cpp
            game/play/GameAreaObstaclesTest.cpp
    LIBS frothwick_play)

frothwick_add_test(NAME test_field_data
    SOURCES game/play/ShippedStagesTest.cpp
    LIBS frothwick_play
    LABELS data)
