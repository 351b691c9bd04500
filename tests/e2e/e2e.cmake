# The real program (the game, which needs its data tree) and the widget gallery
# in Xvfb, driven by xdotool (skipped where they are missing).
# What the end-to-end tests share (processes, logs, Xvfb, xdotool, screenshots).
add_library(frothwick_e2e_support STATIC EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/E2eSupport.cpp)
target_include_directories(frothwick_e2e_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(frothwick_e2e_support PUBLIC fw_graphics)
frothwick_warnings(frothwick_e2e_support)

frothwick_add_test(NAME test_e2e
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e PRIVATE
    FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>"
    FROTHWICK_GALLERY_PROGRAM="$<TARGET_FILE:frothwick_gallery>")
add_dependencies(test_e2e frothwick frothwick_gallery)

# The sprite gallery's screenshots: bubbles' centre colours and a click's shake.
frothwick_add_test(NAME test_e2e_sprites
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SpriteGalleryEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e_sprites PRIVATE
    FROTHWICK_GALLERY_PROGRAM="$<TARGET_FILE:frothwick_gallery>")
add_dependencies(test_e2e_sprites frothwick_gallery)

# SIGTERM in a running game; the installed program in a read-only prefix.
frothwick_add_test(NAME test_e2e_desktop
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/DesktopEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e_desktop PRIVATE
    FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>"
    FROTHWICK_BUILD_DIR="${CMAKE_BINARY_DIR}"
    FROTHWICK_HAS_GAMEDATA=$<BOOL:${FROTHWICK_GAMEDATA}>
    FROTHWICK_SANITIZED=$<BOOL:${FROTHWICK_SANITIZE}>)
add_dependencies(test_e2e_desktop frothwick gamedata)

# A seeded game's play field against its trace; a shot and the preview; the
# quest's first stage.
frothwick_add_test(NAME test_e2e_field
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/PlayFieldEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e_field PRIVATE
    FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>")
add_dependencies(test_e2e_field frothwick gamedata)

# A newcomer's arcade game to its end with the records file, a quest game
# from the stage chooser and a time-attack game's first push-down.
frothwick_add_test(NAME test_e2e_game
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/GameEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e_game PRIVATE
    FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>")
add_dependencies(test_e2e_game frothwick gamedata)

# The program killed (SIGKILL) at each write, fsync and rename of its quit
# save, chosen by a preloaded library; each file stays whole.
add_library(frothwick_killstep MODULE EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/KillAtFileStep.cpp)
target_link_libraries(frothwick_killstep PRIVATE ${CMAKE_DL_LIBS})
frothwick_add_test(NAME test_e2e_quitsave
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/QuitSaveEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e_quitsave PRIVATE
    FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>"
    KILLSTEP_LIBRARY="$<TARGET_FILE:frothwick_killstep>"
    FROTHWICK_SANITIZED=$<BOOL:${FROTHWICK_SANITIZE}>)
add_dependencies(test_e2e_quitsave frothwick gamedata frothwick_killstep)

# Every save failing (no room for a byte, a read-only mount): the program
# runs, ends in order, says so for the players and keeps the old files.
frothwick_add_test(NAME test_e2e_savefail
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SaveFailureEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e_savefail PRIVATE
    FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>")
add_dependencies(test_e2e_savefail frothwick gamedata)

# Damaged copies of the data tree and the user's files: each its message or
# its fallback, never a crash, a hang or a lost save.
frothwick_add_test(NAME test_e2e_damaged
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/DamagedDataEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e_damaged PRIVATE
    FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>"
    FROTHWICK_SANITIZED=$<BOOL:${FROTHWICK_SANITIZE}>)
add_dependencies(test_e2e_damaged frothwick gamedata)

# Stage 9 of every world's stage chooser clicked and started, with a profile
# that has every stage open.
frothwick_add_test(NAME test_e2e_stages
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/StageChooserEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e_stages PRIVATE
    FROTHWICK_PROGRAM="$<TARGET_FILE:frothwick>")
add_dependencies(test_e2e_stages frothwick gamedata)

# Typed Latin and Chinese text in the controls gallery's field, and Enter.
frothwick_add_test(NAME test_e2e_typing
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/GalleryTypingEndToEndTest.cpp
    LIBS frothwick_e2e_support
    LABELS data)
target_compile_definitions(test_e2e_typing PRIVATE
    FROTHWICK_GALLERY_PROGRAM="$<TARGET_FILE:frothwick_gallery>"
    FROTHWICK_SANITIZED=$<BOOL:${FROTHWICK_SANITIZE}>)
add_dependencies(test_e2e_typing frothwick_gallery)
