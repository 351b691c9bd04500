// Gallery: the galleries frothwick_gallery can show, one entry each in
// GalleryModes (examples/GalleryMain.cpp); FROTHWICK_GALLERY names the one to
// run (default: the first). A gallery's function runs its own application on
// the main thread and returns the program's exit status.
#pragma once

int RunWidgetsGallery(int argc, char** argv);
int RunControlsGallery(int argc, char** argv);
// Every bubble and obstacle with the game's art (SpriteGalleryApp.h).
int RunSpritesGallery(int argc, char** argv);
