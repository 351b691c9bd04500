// frothwick_gallery: parts of the framework and the game on their own in a
// real window, chosen by FROTHWICK_GALLERY=widgets|controls|sprites (see Gallery.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "examples/Gallery.h"

namespace
{

struct GalleryMode
{
    const char* name;
    int (*run)(int argc, char** argv);
};

// A new gallery is one line here and its function in Gallery.h.
constexpr GalleryMode GalleryModes[] = {
    {"widgets", RunWidgetsGallery},
    {"controls", RunControlsGallery},
    {"sprites", RunSpritesGallery},
};

} // namespace

int main(int argc, char** argv)
{
    const char* wanted = std::getenv("FROTHWICK_GALLERY");
    if (wanted == nullptr || *wanted == '\0')
    {
        return GalleryModes[0].run(argc, argv);
    }
    for (const GalleryMode& mode : GalleryModes)
    {
        if (std::strcmp(mode.name, wanted) == 0)
        {
            return mode.run(argc, argv);
        }
    }
    std::fprintf(stderr, "frothwick_gallery: no gallery \"%s\"; FROTHWICK_GALLERY is one of:", wanted);
    for (const GalleryMode& mode : GalleryModes)
    {
        std::fprintf(stderr, " %s", mode.name);
    }
    std::fprintf(stderr, "\n");
    return 2;
}
