// DDImage: the image type the application's image loading produces and the
// display can hold. Its pixels always stay in memory (the software drawing
// path is complete), so it draws as a MemoryImage. It registers with the
// display's ImageRegistry, when given one, for its whole lifetime; the
// registry must outlive it.
#pragma once

#include "framework/graphics/MemoryImage.h"

namespace Framework
{

class ImageRegistry;

class DDImage : public MemoryImage
{
public:
    explicit DDImage(ImageRegistry* registry = nullptr);
    DDImage(const DDImage&) = delete;
    DDImage& operator=(const DDImage&) = delete;
    ~DDImage() override;

    ImageRegistry* GetRegistry() const { return registry; }

    // Display options set by the resource manager. The memory pixels are the
    // drawing source, so a request to drop them is remembered but the pixels
    // stay as long as no display surface holds a copy.
    bool surfaceOnly = false;
    bool wantPurgeBits = false;
    void PurgeBits() { wantPurgeBits = true; }

private:
    ImageRegistry* registry = nullptr;
};

} // namespace Framework
