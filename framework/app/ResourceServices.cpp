#include "framework/app/ResourceServices.h"

#include "framework/graphics/ImageLoader.h"

namespace Framework
{

void ResourceServices::SetColorKey(uint32_t rgb)
{
    ImageLoader::SetAlphaColor(rgb);
}

bool ResourceServices::LoadSoundAt(int32_t, const std::string&)
{
    return false;
}

void ResourceServices::SetSoundBaseVolume(int32_t, double) {}

void ResourceServices::SetSoundBasePan(int32_t, int32_t) {}

} // namespace Framework
