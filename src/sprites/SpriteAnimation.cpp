#include "src/sprites/SpriteAnimation.h"

#include "external/util/RuntimeRandom.h"
#include "framework/graphics/Image.h"

int32_t ImageColumns(const Framework::Image* image)
{
    if (image == nullptr || image->columns <= 0)
    {
        return 1;
    }
    return image->columns;
}

void FlourishSchedule::Step(RuntimeRandom& random)
{
    if (!scheduled)
    {
        at = random.Next() % 300;
        scheduled = true;
    }
    const int32_t c = counter;
    counter = c + 1;
    if (c == at)
    {
        flourishing = true;
        return;
    }
    counter = c + 2;
    if (c + 1 > 400)
    {
        counter = 0;
        scheduled = false;
    }
}
