frothwick_add_test(NAME test_platform
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/SettingsStoreTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/LetterboxTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/InputTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SingleInstanceTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SdlPlatformTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/UserFoldersTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TextConverterTest.cpp
    LIBS fw_platform PkgConfig::SDL2
    LABELS threads)
