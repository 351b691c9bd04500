// Image loading for the application: LoadDDImage makes a DDImage from an
// image file; SharedImageCache hands out one shared image per (path,
// variant) for as long as anyone holds it.
//
// The cache keeps weak references only: an image lives while a holder (the
// resource manager's records) keeps its shared pointer, and is loaded anew
// after the last holder let go. Paths are compared as given after turning
// "\" into "/". Thread-safe: the loading thread and the main thread may ask
// at once (loading runs under the cache's lock).
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "framework/graphics/DDImage.h"

namespace Framework
{

class ImageRegistry;

// The image file at path (alpha files merged) as a new DDImage, or null.
std::unique_ptr<DDImage> LoadDDImage(const std::string& path, bool commit, ImageRegistry* registry = nullptr);

class SharedImageCache
{
public:
    explicit SharedImageCache(ImageRegistry* imageRegistry = nullptr) : registry(imageRegistry) {}

    struct Result
    {
        std::shared_ptr<DDImage> image; // null when the file could not be loaded
        bool newlyLoaded = false;
    };

    // The shared image for (path, variant); loads it when nobody holds it.
    Result GetSharedImage(const std::string& path, const std::string& variant);

    // Number of live shared images.
    size_t LiveCount();

private:
    ImageRegistry* registry;
    std::mutex mutex;
    std::map<std::pair<std::string, std::string>, std::weak_ptr<DDImage>> images;
};

} // namespace Framework
