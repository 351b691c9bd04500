# The design script's host on scripts the tests write.
frothwick_add_test(NAME test_script
    SOURCES game/script/DesignScriptHostTest.cpp
    LIBS frothwick_script PkgConfig::LUA PkgConfig::ACE)
