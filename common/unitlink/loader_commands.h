#pragma once

// Byte strings of the loader commands that carry arguments (internal to the unit link).
#include <cstdint>
#include <string>

namespace velmar::unitlink::loader {

// A letter followed by a 16-bit value, high byte first ("a" address, "m" page).
inline std::string withAddress(char letter, uint32_t value)
{
    return {letter, static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

inline std::string withByte(char letter, uint8_t value) { return {letter, static_cast<char>(value)}; }

}  // namespace velmar::unitlink::loader
