# fw_audio: the SDL audio device the sound mixer plays through.
add_library(fw_audio STATIC ${CMAKE_CURRENT_LIST_DIR}/AudioDevice.cpp)
target_link_libraries(fw_audio PUBLIC Threads::Threads PRIVATE PkgConfig::SDL2)
frothwick_warnings(fw_audio)
