#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmar {

// The unit's settings EEPROM, byte for byte; the store's read and write images have this form.
inline constexpr std::size_t kImageSize = 4096;
using Image = std::array<std::uint8_t, kImageSize>;

}  // namespace velmar
