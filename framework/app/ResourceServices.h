// ResourceServices: what the ResourceManager needs from the application to
// load data: shared images and font-descriptor errors (FontDescriptorHost),
// the display's colour key, whether drawing is 3D accelerated, and the sound
// manager's slots. The defaults load no sounds (a manifest with sounds then
// fails to load them) and set the image loader's alpha colour as the key.
// Called on whichever thread loads a group.
#pragma once

#include <cstdint>
#include <string>

#include "framework/graphics/FontDescriptorHost.h"

namespace Framework
{

class ResourceServices : public FontDescriptorHost
{
public:
    // The colour (0xRRGGBB) that stands for transparency while an image loads.
    virtual void SetColorKey(uint32_t rgb);
    virtual bool Is3D() const { return false; }
    // Loads the sound file at path into slot id; false when it cannot.
    virtual bool LoadSoundAt(int32_t id, const std::string& path);
    virtual void SetSoundBaseVolume(int32_t id, double volume);
    virtual void SetSoundBasePan(int32_t id, int32_t pan);
};

} // namespace Framework
