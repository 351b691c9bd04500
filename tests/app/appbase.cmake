frothwick_add_test(NAME test_appbase
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/AppBaseTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/AppBaseRestTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/AppBaseWidgetsTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/AppBaseUserFilesTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/AppBaseDemoTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/DemoFileTest.cpp
    LIBS fw_app
    LABELS threads)

# The program itself, started as a child process; the game needs its data
# tree.
frothwick_add_test(NAME test_appbase_smoke
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/AppBaseSmokeTest.cpp
    LIBS
    LABELS data)
target_compile_definitions(test_appbase_smoke PRIVATE FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>")
add_dependencies(test_appbase_smoke frothwick)
