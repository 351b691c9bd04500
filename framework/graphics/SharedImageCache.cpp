#include "framework/graphics/SharedImageCache.h"

#include "framework/graphics/ImageLoader.h"

namespace Framework
{

std::unique_ptr<DDImage> LoadDDImage(const std::string& path, bool commit, ImageRegistry* registry)
{
    std::unique_ptr<ImageLoader::LoadedImage> loaded = ImageLoader::LoadImageFile(path, true);
    if (!loaded)
    {
        return nullptr;
    }
    auto image = std::make_unique<DDImage>(registry);
    image->SetPixels(loaded->pixels.data(), loaded->width, loaded->height, commit);
    return image;
}

SharedImageCache::Result SharedImageCache::GetSharedImage(const std::string& path, const std::string& variant)
{
    std::lock_guard<std::mutex> lock(mutex);
    const auto key = std::make_pair(ImageLoader::ToFileSystemPath(path), variant);
    auto it = images.find(key);
    if (it != images.end())
    {
        if (std::shared_ptr<DDImage> live = it->second.lock())
        {
            return Result{live, false};
        }
    }
    std::shared_ptr<DDImage> image = LoadDDImage(path, false, registry);
    if (!image)
    {
        if (it != images.end())
        {
            images.erase(it);
        }
        return Result{nullptr, false};
    }
    images[key] = image;
    return Result{image, true};
}

size_t SharedImageCache::LiveCount()
{
    std::lock_guard<std::mutex> lock(mutex);
    size_t n = 0;
    for (auto it = images.begin(); it != images.end();)
    {
        if (it->second.expired())
        {
            it = images.erase(it);
        }
        else
        {
            ++n;
            ++it;
        }
    }
    return n;
}

} // namespace Framework
