// FontDescriptorHost: what reading a font descriptor needs from the
// application: shared image loading (layer images, relative paths already
// resolved) and the error box that shows a descriptor error. The host must
// outlive every font it was given to. GetSharedImage may be called from the
// loading thread.
#pragma once

#include <string>

#include "framework/graphics/SharedImageCache.h"

namespace Framework
{

class FontDescriptorHost
{
public:
    FontDescriptorHost() = default;
    FontDescriptorHost(const FontDescriptorHost&) = delete;
    FontDescriptorHost& operator=(const FontDescriptorHost&) = delete;
    virtual ~FontDescriptorHost() = default;

    virtual SharedImageCache::Result GetSharedImage(const std::string& path, const std::string& variant) = 0;
    virtual void ShowErrorBox(const std::string& text) = 0;
};

} // namespace Framework
