#pragma once

#include <cstdint>

namespace velmar {

// A 16-bit value that carries its own limits; every write is clamped into them.
struct BoundedValue {
    std::int16_t value = 0;
    std::int16_t maximum = 0;
    std::int16_t minimum = 0;
    std::uint8_t flagA = 1;
    std::uint8_t flagB = 1;
    std::uint16_t step = 1;

    static constexpr BoundedValue range(int minimum, int maximum, int step, int value = 0)
    {
        BoundedValue b;
        b.minimum = static_cast<std::int16_t>(minimum);
        b.maximum = static_cast<std::int16_t>(maximum);
        b.step = static_cast<std::uint16_t>(step);
        b.value = static_cast<std::int16_t>(value);
        return b;
    }

    // The candidate limited to this value's range, without storing it.
    constexpr int clamped(int candidate) const
    {
        if (candidate > maximum)
            return maximum;
        if (candidate < minimum)
            return minimum;
        return candidate;
    }

    constexpr void set(int candidate) { value = static_cast<std::int16_t>(clamped(candidate)); }
    constexpr void clamp() { set(value); }

    bool operator==(const BoundedValue&) const = default;
};

}  // namespace velmar
