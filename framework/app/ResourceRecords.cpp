#include "framework/app/ResourceRecords.h"

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"

namespace Framework
{

ImageRes::~ImageRes() = default;

void ImageRes::Release()
{
    image.reset();
}

FontRes::~FontRes() = default;

void FontRes::Release()
{
    font.reset();
}

} // namespace Framework
