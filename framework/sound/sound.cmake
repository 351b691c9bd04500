# fw_sound: the sound-effect manager and the music player on our own mixer,
# with the wave, cache, Ogg Vorbis and ".au" readers.
add_library(fw_sound STATIC
    ${CMAKE_CURRENT_LIST_DIR}/AudioOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EffectVoice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Mixer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MixerMusicInterface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MixerSoundInstance.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MixerSoundManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SongStream.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SoundDecoders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StreamDecoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VolumeLaw.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WaveFile.cpp)
target_link_libraries(fw_sound PUBLIC fw_audio fw_platform Threads::Threads PRIVATE PkgConfig::VORBIS)
frothwick_warnings(fw_sound)
