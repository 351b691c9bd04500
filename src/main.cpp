// frothwick: the program's entry. Shows the start-up picture, lets the game
// load and run, and shuts it down in order.
//
// For automated runs the environment variable FROTHWICK_EXIT_AFTER_TICKS=N
// stops the program in order after N update ticks (the command line refuses
// unknown switches, so this is not one). "--help" and "--version" are
// answered before anything else starts (no display, lock or settings).
// A demo played back (-play) returns 1 when it went out of step.
#include <ace/Init_ACE.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "framework/graphics/ImageLoader.h"
#include "framework/platform/QuitSignals.h"
#include "framework/platform/SplashWindow.h"
#include "framework/platform/UserFolders.h"
#include "src/app/GameApp.h"
#include "src/core/UserPaths.h"

namespace
{

constexpr const char* Version = "Frothwick 1.00";

void PrintUsage()
{
    const std::string settings = (Framework::UserFolders::ConfigDir("frothwick") / "settings").string();
    const std::string cache = (Framework::UserFolders::CacheDir("frothwick") / "cached").string();
    std::printf("Usage: frothwick [--help | --version | -screensaver | -record | -recnum=N | -play | -playnum=N]\n"
                "                 [-demofile=PATH]\n"
                "A bubble shooter: aim with the mouse, fire with the left button.\n"
                "\n"
                "  --help           this text\n"
                "  --version        the version (%s)\n"
                "  -screensaver     run as a screen saver\n"
                "  -record          record a demo of this run (demos/demo.dmo)\n"
                "  -recnum=N        record demos/demoN.dmo (N: 0 to 9999)\n"
                "  -play            play demos/demo.dmo back\n"
                "  -playnum=N       play demos/demoN.dmo back\n"
                "  -demofile=PATH   the demo to record or play (with -record or -play)\n"
                "\n"
                "Environment:\n"
                "  SDL_VIDEODRIVER=dummy         run without a display (automation)\n"
                "  FROTHWICK_EXIT_AFTER_TICKS=N  stop in order after N update ticks\n"
                "  FROTHWICK_INPUT_TRACE=1       write input events and windows to standard error\n"
                "  FROTHWICK_STATS=1             write start-up times and exit statistics\n"
                "  FROTHWICK_PLAYBACK_SPEED=F    play a demo back F times as fast, or \"max\"\n"
                "  XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME, XDG_RUNTIME_DIR  the folders below\n"
                "\n"
                "Files:\n"
                "  players       %s\n"
                "  high scores   %s\n"
                "  pictures      %s\n"
                "  demos         %s\n"
                "  settings      %s\n"
                "  sound cache   %s\n",
                Version, Game::ProfilesPath().c_str(), Game::RecordsPath().c_str(), Game::UserAvatarDir().c_str(),
                Game::DemosDir().c_str(), settings.c_str(), cache.c_str());
}

// The start-up picture of the data tree, centred on the desktop.
std::unique_ptr<Framework::SplashWindow> ShowSplash()
{
    const std::filesystem::path folder = Framework::UserFolders::DataTreeFor(Framework::UserFolders::ProgramDir(),
                                                                             "frothwick", "properties/resources.xml");
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
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--help") == 0)
        {
            PrintUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0)
        {
            std::printf("%s\n", Version);
            return 0;
        }
    }
    // Before any video starts, so SDL leaves these signals to us.
    Framework::QuitSignals::Install();
    ACE::init();
    int exitCode = 0;
    {
        auto app = std::make_unique<GameApp>();
        app->SetCommandLine(argc, argv);
        if (const char* n = std::getenv("FROTHWICK_EXIT_AFTER_TICKS"))
        {
            app->exitAfterTicks = std::atoi(n);
        }
        // A second copy raises the first and leaves before showing anything.
        if (!app->ClaimSingleInstance())
        {
            app.reset();
            ACE::fini();
            return 0;
        }
        app->splash = ShowSplash();
        const uint32_t shownAt = app->clock->NowMs();
        if (app->splash && app->inputTrace)
        {
            std::fprintf(stderr, "trace: window splash 300x150\n");
        }
        // The picture shows at least 1.6 s; the loading fills that time.
        app->StartBehindSplash(shownAt, 1600);
        app->Run();
        exitCode = app->exitCode; // a demo that went out of step: 1
    }
    ACE::fini();
    return exitCode;
}
