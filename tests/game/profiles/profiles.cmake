frothwick_add_test(NAME test_profiles
    SOURCES game/profiles/ProfileTest.cpp
    LIBS frothwick_profiles)
