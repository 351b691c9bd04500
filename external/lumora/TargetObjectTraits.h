// Lumora::TargetObjectTraits<T>: how a motion rule reaches the position of
// the object it moves -- through the object's own GetPosition and
// SetPosition (pixels, Vector2). Header only, stateless.
#pragma once

#include "external/lumora/Vector2.h"

namespace Lumora
{

template <typename T> struct TargetObjectTraits
{
    static Vector2 GetPosition(const T& target) { return target.GetPosition(); }
    static void SetPosition(T& target, const Vector2& position) { target.SetPosition(position); }
};

} // namespace Lumora
