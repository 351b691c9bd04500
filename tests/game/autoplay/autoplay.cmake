# The autoplayer's aim against the real play field; the shot's geometry.
frothwick_add_test(NAME test_autoplay
    SOURCES game/autoplay/AutoplayerTest.cpp game/autoplay/ShotPathTest.cpp game/autoplay/MonkeyTest.cpp
    LIBS frothwick_autoplay_lib)

# The program playing itself on the data tree, a few seconds per run.
frothwick_add_test(NAME test_autoplay_program
    SOURCES game/autoplay/AutoplayProgramTest.cpp
    LABELS data
    LONG)
if(TARGET test_autoplay_program)
  target_compile_definitions(test_autoplay_program PRIVATE
      FROTHWICK_AUTOPLAY_PROGRAM="$<TARGET_FILE:frothwick_autoplay>")
  add_dependencies(test_autoplay_program frothwick_autoplay)
endif()
