// Alpha merging for loaded images: the blue byte of each pixel of an alpha
// image becomes the alpha of the matching pixel. Both end with the target's
// PixelsChanged(). False (target untouched) on a size mismatch or when
// either image has no pixels.
#pragma once

#include "framework/graphics/MemoryImage.h"

namespace Framework
{

// alpha must be the same size as image.
bool ApplyAlphaImage(MemoryImage& image, MemoryImage& alpha);
// alphaGrid must be the size of one cel of image; it applies to every cel.
bool ApplyAlphaGrid(MemoryImage& image, MemoryImage& alphaGrid);

} // namespace Framework
