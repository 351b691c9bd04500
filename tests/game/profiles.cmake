frothwick_add_test(NAME test_profiles
    SOURCES game/ProfileTest.cpp
    LIBS frothwick_profiles)
