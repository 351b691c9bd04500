// frothwick: the program's entry. Shows the start-up picture, lets the game
// load and run, and shuts it down in order.
//
// For automated runs the environment variable FROTHWICK_EXIT_AFTER_TICKS=N
// stops the program in order after N update ticks (the command line refuses
// unknown switches, so this is not one).
#include <ace/Init_ACE.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "framework/graphics/ImageLoader.h"
#include "framework/platform/SplashWindow.h"
#include "src/app/GameApp.h"

namespace
{

// The start-up picture beside the program, centred on the desktop.
std::unique_ptr<Framework::SplashWindow> ShowSplash()
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    auto picture = Framework::ImageLoader::LoadImageFile((folder / "images" / "splash.png").string(), false);
    auto splash = std::make_unique<Framework::SplashWindow>();
    const bool shown = picture && picture->width == 300 && picture->height == 150
                           ? splash->Show("Corvane", picture->pixels.data(), 300, 150)
                           : splash->Show("Corvane", nullptr, 300, 150);
    if (!shown)
    {
        return nullptr;
    }
    return splash;
}

} // namespace

int main(int argc, char** argv)
{
    ACE::init();
    {
        auto app = std::make_unique<GameApp>();
        app->SetCommandLine(argc, argv);
        if (const char* n = std::getenv("FROTHWICK_EXIT_AFTER_TICKS"))
        {
            app->exitAfterTicks = std::atoi(n);
        }
        app->splash = ShowSplash();
        std::this_thread::sleep_for(std::chrono::milliseconds(1600));
        app->Initialise();
        app->Run();
    }
    ACE::fini();
    return 0;
}
