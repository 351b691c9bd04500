// Any bytes as a font descriptor, then the font measured and drawn: a font
// or a failed load, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/FontDescriptorHost.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"

namespace
{

// Every layer image is the same 64 x 32 picture; "missing" files fail.
class FuzzHost : public Framework::FontDescriptorHost
{
public:
    Framework::SharedImageCache::Result GetSharedImage(const std::string& path, const std::string&) override
    {
        Framework::SharedImageCache::Result result;
        if (path.find("missing") != std::string::npos)
            return result;
        result.image = std::make_shared<Framework::DDImage>();
        result.image->Allocate(64, 32);
        result.image->FillRect(Framework::Rect(0, 0, 64, 32), Framework::Color(255, 255, 255, 200), 0);
        result.newlyLoaded = true;
        return result;
    }
    void ShowErrorBox(const std::string&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzHost host;
    auto fontData = std::make_shared<Framework::FontData>();
    fontData->LoadText(&host, std::string(reinterpret_cast<const char*>(data), size), "fonts/fuzz.txt");
    Framework::ImageFont font(fontData);
    const std::string text = "AVA wa\x01\xff";
    font.TextWidth(text);
    font.AddTag("bold");
    font.SetScale(1.5);
    Framework::DDImage canvas;
    canvas.Allocate(64, 32);
    Framework::Graphics g(&canvas);
    font.DrawText(&g, 2, 20, text, Framework::Color::White(), Framework::Rect(0, 0, 64, 32));
    return 0;
}
