#pragma once

#include <cstdint>

namespace velmar::bits {

constexpr int mask(int width) { return (1 << width) - 1; }

constexpr int get(unsigned value, int shift, int width)
{
    return static_cast<int>((value >> shift) & static_cast<unsigned>(mask(width)));
}

// Stores value into bits shift..shift+width-1 only, masked to the field's width.
template <typename T>
constexpr void put(T& target, int shift, int width, int value)
{
    const unsigned field = static_cast<unsigned>(mask(width)) << shift;
    const unsigned stored = (static_cast<unsigned>(value) << shift) & field;
    target = static_cast<T>((static_cast<unsigned>(target) & ~field) | stored);
}

}  // namespace velmar::bits
