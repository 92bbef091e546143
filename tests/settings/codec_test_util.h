#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace velmar::test {

inline std::uint16_t sumOf(const Image& image, int from, int length)
{
    unsigned sum = 0;
    for (int i = from; i < from + length; ++i)
        sum += image[i];
    return static_cast<std::uint16_t>(sum);
}

// The check word of a section of the given total length, low byte first.
inline std::uint16_t storedCheck(const Image& image, int offset, int length)
{
    return static_cast<std::uint16_t>(image[offset + length - 2] | (image[offset + length - 1] << 8));
}

inline bool framed(const Image& image, int offset, int length)
{
    return storedCheck(image, offset, length) == sumOf(image, offset, length - 2);
}

// Writes a section's bytes with a freshly computed check word (low byte first).
inline void placeSection(Image& image, int offset, std::vector<std::uint8_t> bytes, bool highFirst = false)
{
    unsigned sum = 0;
    for (auto b : bytes)
        sum += b;
    const auto lo = static_cast<std::uint8_t>(sum & 0xFF), hi = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
    bytes.push_back(highFirst ? hi : lo);
    bytes.push_back(highFirst ? lo : hi);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        image[offset + i] = bytes[i];
}

inline std::vector<std::uint8_t> sectionBytes(const Image& image, int offset, int lengthWithoutCheck)
{
    return {image.begin() + offset, image.begin() + offset + lengthWithoutCheck};
}

}  // namespace velmar::test
