frothwick_add_test(NAME test_profiles
    SOURCES game/profiles/ProfileTest.cpp game/profiles/ProfileSaveFailureTest.cpp
    LIBS frothwick_profiles frothwick_core)
