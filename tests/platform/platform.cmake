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

# Saving: the atomic replace and the guarded read, every writer of a file the
# game keeps killed part-way and on a full disk (child processes, so not in
# the ThreadSanitizer build).
frothwick_add_test(NAME test_saving
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/FileReplaceTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/FileReplaceKillTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/FullDiskTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/FifoOrFolderReadersTest.cpp
    LIBS frothwick_screens_players frothwick_records frothwick_profiles frothwick_script fw_app fw_sound fw_graphics fw_platform)
