# The sound manager, the music player, their file readers and the mixer,
# on the test sink, an output without a device and SDL's disk driver (the
# device's callback thread and the music feeder run: "threads"); then the
# game's own sounds and songs.
frothwick_add_test(NAME test_sound
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/SoundTestFiles.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SoundFilesTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SoundManagerTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/MusicTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/OggMemoryTest.cpp
    LIBS fw_sound PkgConfig::VORBIS
    LABELS threads)

# The application base's sound wiring.
frothwick_add_test(NAME test_appbase_sound
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/SoundTestFiles.cpp
        ${CMAKE_CURRENT_LIST_DIR}/AppBaseSoundTest.cpp
    LIBS fw_app PkgConfig::VORBIS
    LABELS threads)

if(TARGET gamedata_audio OR FROTHWICK_TEST_DATA_DIR)
  frothwick_add_test(NAME test_sound_data
      SOURCES
          ${CMAKE_CURRENT_LIST_DIR}/SoundTestFiles.cpp
          ${CMAKE_CURRENT_LIST_DIR}/SoundDataTest.cpp
      LIBS fw_sound fw_resources PkgConfig::VORBIS
      LABELS data)
  if(TARGET gamedata_audio)
    add_dependencies(test_sound_data gamedata_audio)
  endif()
endif()
