# fw_splash: the start-up picture window.
add_library(fw_splash STATIC ${CMAKE_CURRENT_LIST_DIR}/SplashWindow.cpp)
target_link_libraries(fw_splash PRIVATE PkgConfig::SDL2)
frothwick_warnings(fw_splash)
