// SliderListener: what a slider reports to its owner. value is 0 to 1.
#pragma once

#include <cstdint>

namespace Framework
{

class SliderListener
{
public:
    virtual ~SliderListener() = default;
    // While dragging whenever the value changes, and once more on release.
    virtual void SliderValueChanged(int32_t /*id*/, double /*value*/) {}
};

} // namespace Framework
