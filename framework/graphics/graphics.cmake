# fw_graphics: colours, rectangles, images and their software primitives,
# the image file loader and decoders, the drawing context and the Font
# interface.
add_library(fw_graphics STATIC
    AnimInfo.cpp
    DDImage.cpp
    FallbackFont.cpp
    Font.cpp
    Graphics.cpp
    Image.cpp
    ImageAlpha.cpp
    ImageLoader.cpp
    ImageTransform.cpp
    JpegDecoder.cpp
    Matrix3.cpp
    MemoryImage.cpp
    PngDecoder.cpp
    SharedImageCache.cpp)
target_link_libraries(fw_graphics PUBLIC Threads::Threads PRIVATE fw_files PkgConfig::PNG PkgConfig::JPEG PkgConfig::ZLIB)
frothwick_warnings(fw_graphics)
