#include "framework/graphics/Graphics.h"

#include "framework/graphics/Image.h"
#include "framework/graphics/MemoryImage.h"

namespace Framework
{

Graphics::Graphics(Image* destination)
{
    static MemoryImage placeholder;
    target = destination != nullptr ? destination : &placeholder;
    clipArea = Rect(0, 0, target->width, target->height);
}

Graphics::Graphics(const Graphics& other) : GraphicsState(other)
{
}

Graphics& Graphics::operator=(const Graphics& other)
{
    if (this != &other)
    {
        GraphicsState::operator=(other);
        stateStack.clear();
    }
    return *this;
}

std::unique_ptr<Graphics> Graphics::Clone() const
{
    return std::make_unique<Graphics>(*this);
}

} // namespace Framework
