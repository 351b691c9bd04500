// Widget flags, flag modifiers and the modal flags record handed down the
// tree during the update and draw passes. Plain values, no state of their own.
#pragma once

#include <cstdint>

namespace Framework
{

enum WidgetFlag : int32_t
{
    FlagUpdate = 1,      // Update and UpdateSmooth run
    FlagMarkDirty = 2,   // marked dirty on every update pass
    FlagDraw = 4,        // the widget's own Draw runs
    FlagClip = 8,        // clipToBounds takes effect
    FlagAllowMouse = 16, // the widget and its children can be hit by the mouse
    FlagAllowFocus = 32, // keeps the keyboard focus when a modal widget opens above it
};

// (flags | setBits) & ~clearBits.
struct FlagsMod
{
    int32_t setBits = 0;
    int32_t clearBits = 0;

    constexpr FlagsMod() = default;
    constexpr FlagsMod(int32_t set, int32_t clear) : setBits(set), clearBits(clear) {}

    constexpr int32_t Apply(int32_t flags) const { return (flags | setBits) & ~clearBits; }
    constexpr bool operator==(const FlagsMod&) const = default;
};

// The flags in effect during a pass: aboveFlags for the modal widget and
// everything walked after it, belowFlags for what comes before it.
struct ModalFlags
{
    int32_t aboveFlags = 0;
    int32_t belowFlags = 0;
    bool aboveModal = false;

    constexpr int32_t GetFlags() const { return aboveModal ? aboveFlags : belowFlags; }
    constexpr bool Has(int32_t flag) const { return (GetFlags() & flag) != 0; }
};

// Applies a modifier to both words of a record and puts both words back when
// it leaves scope, also when a handler throws.
class ModalFlagsScope
{
public:
    ModalFlagsScope(ModalFlags& record, const FlagsMod& mod)
        : flags(record), savedAbove(record.aboveFlags), savedBelow(record.belowFlags)
    {
        record.aboveFlags = mod.Apply(record.aboveFlags);
        record.belowFlags = mod.Apply(record.belowFlags);
    }
    ~ModalFlagsScope()
    {
        flags.aboveFlags = savedAbove;
        flags.belowFlags = savedBelow;
    }
    ModalFlagsScope(const ModalFlagsScope&) = delete;
    ModalFlagsScope& operator=(const ModalFlagsScope&) = delete;

private:
    ModalFlags& flags;
    int32_t savedAbove;
    int32_t savedBelow;
};

// Left, top, right and bottom margins in pixels.
struct Insets
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr Insets() = default;
    constexpr Insets(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}
    constexpr bool operator==(const Insets&) const = default;
};

// A pixel position.
struct Point
{
    int32_t x = 0;
    int32_t y = 0;

    constexpr Point() = default;
    constexpr Point(int32_t x_, int32_t y_) : x(x_), y(y_) {}
    constexpr bool operator==(const Point&) const = default;
};

} // namespace Framework
