// Framework::SystemFontFace: one installed font face at one pixel size,
// found through fontconfig and rasterised with FreeType, for the system-font
// text of framework controls.
//
// Open resolves a family name (UTF-8; names outside ASCII are matched with
// Chinese coverage so that GBK text has glyphs) to a face file and returns
// null when none can be loaded. Bold and italic are synthesised when the
// matched face lacks them. Glyphs are 8-bit coverage maps, row-major from
// the top-left; `left` is the box's offset from the pen and `top` the
// distance of its top row above the baseline, in pixels.
//
// A face is used by one thread at a time; faces are independent.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Framework
{

class SystemFontFace
{
public:
    struct Glyph
    {
        int32_t width = 0;
        int32_t height = 0;
        int32_t left = 0;
        int32_t top = 0;
        int32_t advance = 0;
        std::vector<uint8_t> coverage; // width × height, 0 to 255
    };

    static std::unique_ptr<SystemFontFace> Open(const std::string& familyUtf8, int32_t pixelHeight, bool bold,
                                                bool italic);
    ~SystemFontFace();
    SystemFontFace(const SystemFontFace&) = delete;
    SystemFontFace& operator=(const SystemFontFace&) = delete;

    int32_t Ascent() const { return ascent; }
    int32_t Height() const { return height; }
    // False when the face has no glyph for the code point.
    bool Render(char32_t codePoint, Glyph& glyph);
    // The vertical dots per inch of the screen (96 when it cannot be asked).
    static int32_t ScreenVerticalDpi();

private:
    struct Impl;
    explicit SystemFontFace(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl;
    int32_t ascent = 0;
    int32_t height = 0;
};

} // namespace Framework
