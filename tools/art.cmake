# assetgen-art: draws the game's images and fonts, compiles the stage maps
# and writes the resource manifest (assets/art.cmake runs it).
add_executable(assetgen-art
    art/main.cpp
    art/Canvas.cpp
    art/ImageTable.cpp
    art/FontBaker.cpp
    art/StageCompiler.cpp
    art/PaintCommon.cpp
    art/PaintUi.cpp
    art/PaintDialogs.cpp
    art/PaintSprites.cpp
    art/PaintEffects.cpp
    art/PaintScenes.cpp
    art/PaintAppIcon.cpp)
target_link_libraries(assetgen-art PRIVATE PkgConfig::CAIRO PkgConfig::PANGOCAIRO)
frothwick_warnings(assetgen-art)
