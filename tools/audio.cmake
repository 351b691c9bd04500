# The audio generator: a small synthesiser (library frothwick_audiogen, also
# used by the tests) and the program assetgen-audio that renders the game's
# sound effects and songs from assets/audio.
add_library(frothwick_audiogen STATIC
    ${CMAKE_CURRENT_LIST_DIR}/audio/DrumKit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/EffectBank.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/Envelope.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/Filter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/Instrument.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/Loudness.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/Mastering.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/Oscillator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/Reverb.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/Song.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/SongRenderer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/SoundRole.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/SourceText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audio/VorbisCodec.cpp)
target_link_libraries(frothwick_audiogen PUBLIC PkgConfig::VORBIS)
frothwick_warnings(frothwick_audiogen)

add_executable(assetgen-audio ${CMAKE_CURRENT_LIST_DIR}/audio/main.cpp)
target_link_libraries(assetgen-audio PRIVATE frothwick_audiogen)
frothwick_warnings(assetgen-audio)
