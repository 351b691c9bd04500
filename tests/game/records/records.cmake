frothwick_add_test(NAME test_records
    SOURCES game/records/HighScoreTablesTest.cpp game/records/RecordsFileTest.cpp
    LIBS frothwick_records frothwick_core)
