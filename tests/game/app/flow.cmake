# The flow of stages through the application: ends, records, next stages.
frothwick_add_test(NAME test_stage_flow
    SOURCES game/app/StageFlowTest.cpp
    LIBS frothwick_app)
