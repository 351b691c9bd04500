#include "framework/graphics/DDImage.h"

#include "framework/graphics/ImageRegistry.h"

namespace Framework
{

DDImage::DDImage(ImageRegistry* reg) : registry(reg)
{
    if (registry != nullptr)
    {
        registry->RegisterImage(this);
    }
}

DDImage::~DDImage()
{
    if (registry != nullptr)
    {
        registry->UnregisterImage(this);
    }
}

} // namespace Framework
