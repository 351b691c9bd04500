// frothwick_sprite_gallery: every bubble and obstacle animating on one
// screen with the game's art (see SpriteGallery.h).
#include "examples/SpriteGalleryApp.h"

int main(int argc, char** argv)
{
    SpriteGalleryApp app;
    app.SetCommandLine(argc, argv);
    app.Initialise();
    app.Run();
    return 0;
}
