# The synthesiser's building blocks (no data needed) and the generated audio
# files in the data tree.
frothwick_add_test(NAME test_synth
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SynthTest.cpp ${CMAKE_CURRENT_LIST_DIR}/SynthSongTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/SynthLoudnessTest.cpp
    LIBS frothwick_audiogen)

if(TARGET gamedata_audio OR FROTHWICK_TEST_DATA_DIR)
  frothwick_add_test(NAME test_audio_data
      SOURCES ${CMAKE_CURRENT_LIST_DIR}/AudioDataTest.cpp
      LIBS frothwick_audiogen
      LABELS data
      LONG)
  if(TARGET gamedata_audio)
    add_dependencies(test_audio_data gamedata_audio)
  endif()
endif()
