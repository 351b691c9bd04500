// ImageRegistry: what a display layer offers the images that can live in it.
// A DDImage given a registry registers itself on construction and leaves on
// destruction; the registry's implementation does its own locking (images
// are created on the loading thread and destroyed on the main thread).
#pragma once

namespace Framework
{

class DDImage;

class ImageRegistry
{
public:
    virtual ~ImageRegistry() = default;
    virtual void RegisterImage(DDImage* image) = 0;
    virtual void UnregisterImage(DDImage* image) = 0;
};

} // namespace Framework
