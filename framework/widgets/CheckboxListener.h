// CheckboxListener: what a check box reports to its owner.
#pragma once

#include <cstdint>

namespace Framework
{

class CheckboxListener
{
public:
    virtual ~CheckboxListener() = default;
    virtual void CheckboxToggled(int32_t /*id*/, bool /*checked*/) {}
};

} // namespace Framework
