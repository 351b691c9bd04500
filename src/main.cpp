// frothwick: the program's entry. Opens the 800 x 600 window through the
// application base and runs the fixed-rate loop.
//
// For automated runs the environment variable FROTHWICK_EXIT_AFTER_TICKS=N
// stops the program in order after N update ticks (the command line refuses
// unknown switches, so this is not one).
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "framework/app/AppBase.h"

namespace
{

// Until the game's screens join, the program shows a still background and a
// marker that crosses it, drawn into the display's screen image.
class FrothwickApp final : public Framework::AppBase
{
public:
    FrothwickApp()
    {
        title = "Frothwick";
        windowCaption = "Frothwick";
        registryKey = "Tamsery Games\\Frothwick";
        width = 800;
        height = 600;
        // The title bar drags the borderless window, except its buttons.
        SetWindowDragBand(26, 720, 798);
        if (const char* n = std::getenv("FROTHWICK_EXIT_AFTER_TICKS"))
        {
            exitAfterTicks = std::atoi(n);
        }
    }

    ~FrothwickApp() override { StopApplication(); }

protected:
    void Tick() override
    {
        AppBase::Tick();
        markerX = (markerX + 2) % (width - MarkerSize);
        moved = true;
        tickSinceDraw = true;
        if (exitAfterTicks > 0 && updateCount >= exitAfterTicks)
        {
            StopApplication();
        }
    }

    void WidgetsMarkAllDirty() override { fullRedraw = true; }

    void WidgetsSetScreenImage(Framework::Image*) override { fullRedraw = true; }

    bool WidgetsDrawPass() override
    {
        if ((!fullRedraw && !moved) || !display || !display->GetScreenImage())
        {
            return false;
        }
        picture = display->GetScreenImage()->GetPixels();
        if (fullRedraw)
        {
            for (int32_t y = 0; y < height; ++y)
            {
                const uint32_t shade = static_cast<uint32_t>(40 + y * 80 / height);
                std::fill_n(picture + int64_t(y) * width, width,
                            0xFF000000u | (shade / 3) << 16 | (shade / 2) << 8 | shade);
            }
        }
        else
        {
            Erase(drawnX);
        }
        Paint(markerX);
        drawnX = markerX;
        fullRedraw = moved = false;
        return true;
    }

private:
    static constexpr int32_t MarkerSize = 24;
    static constexpr int32_t MarkerY = 288;

    void Erase(int32_t x)
    {
        for (int32_t y = MarkerY; y < MarkerY + MarkerSize; ++y)
        {
            const uint32_t shade = static_cast<uint32_t>(40 + y * 80 / height);
            std::fill_n(picture + int64_t(y) * width + x, MarkerSize,
                        0xFF000000u | (shade / 3) << 16 | (shade / 2) << 8 | shade);
        }
    }

    void Paint(int32_t x)
    {
        for (int32_t y = MarkerY; y < MarkerY + MarkerSize; ++y)
        {
            std::fill_n(picture + int64_t(y) * width + x, MarkerSize, 0xFFE0C040u);
        }
    }

    uint32_t* picture = nullptr;
    int32_t exitAfterTicks = 0;
    int32_t markerX = 0;
    int32_t drawnX = 0;
    bool moved = true;
    bool fullRedraw = true;
};

} // namespace

int main(int argc, char** argv)
{
    FrothwickApp app;
    app.SetCommandLine(argc, argv);
    app.Initialise();
    app.Run();
    return 0;
}
