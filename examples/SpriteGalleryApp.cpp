#include "examples/SpriteGalleryApp.h"

#include <cstdlib>

#include "examples/Gallery.h"
#include "examples/SpriteGallery.h"
#include "framework/app/ResourceManager.h"
#include "src/app/ResourceBinding.h"
#include "src/core/ResourceIds.h"

SpriteGalleryApp::SpriteGalleryApp()
{
    title = "Frothwick";
    windowCaption = "Frothwick - sprites";
    registryKey = "Tamsery Games\\Frothwick";
    width = SCREEN_WIDTH;
    height = SCREEN_HEIGHT;
    if (const char* n = std::getenv("FROTHWICK_EXIT_AFTER_TICKS"))
        exitAfterTicks = std::atoi(n);
}

SpriteGalleryApp::~SpriteGalleryApp()
{
    StopApplication();
    widgetManager->RemoveAllChildren();
    gallery.reset();
    ResetResourceVariables();
}

void SpriteGalleryApp::Initialise()
{
    AppBase::Initialise();
    if (shutdown)
        return;
    const bool ready = resourceManager->ReadManifest("properties/resources.xml") &&
                       resourceManager->LoadGroup("Media") && BindMediaResources(*resourceManager) &&
                       resourceManager->LoadGroup("Game") && BindGameResources(*resourceManager);
    if (!ready)
    {
        ShowErrorBox(resourceManager->ErrorText());
        ExitProcess(0);
    }
    if (musicInterface)
        musicInterface->LoadSong(Songs::WindCloud, "sounds/wind_cloud.ogg");
    gallery = std::make_unique<SpriteGallery>(*this);
    gallery->Resize(0, 0, width, height);
    widgetManager->AddWidget(gallery.get());
}

void SpriteGalleryApp::Tick()
{
    AppBase::Tick();
    if (exitAfterTicks > 0 && updateCount >= exitAfterTicks)
        StopApplication();
}

int RunSpritesGallery(int argc, char** argv)
{
    SpriteGalleryApp app;
    app.SetCommandLine(argc, argv);
    app.Initialise();
    app.Run();
    return 0;
}
