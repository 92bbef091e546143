#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmar {

// The unit's settings EEPROM, byte for byte.
inline constexpr std::size_t kImageSize = 4096;
using Image = std::array<std::uint8_t, kImageSize>;

}  // namespace velmar
