#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// How the installer's sections are laid out in the unit's data EEPROM.
namespace velmar::unitlink {

inline constexpr size_t kDataBlockBytes = 128;
inline constexpr size_t kDataBlocks = 1024;
inline constexpr size_t kDirectoryBlock = 1023;
using DataBlock = std::array<uint8_t, kDataBlockBytes>;

// The sections written from block 0 upwards. Section 5 is one byte of the settings store;
// section 6 is a program of 16-bit words and goes in with the bytes of every word exchanged.
struct DataEepromSections {
    std::span<const uint8_t> section1;
    std::span<const uint8_t> section2;
    std::span<const uint8_t> section3;
    std::span<const uint8_t> section4;
    uint8_t section5 = 0;
    std::span<const uint8_t> section6;
};

// Blocks a region of `length` bytes occupies (the last one padded with zeros).
inline size_t blocksFor(size_t length) { return (length + kDataBlockBytes - 1) / kDataBlockBytes; }

// A directory entry: start block and length in bytes, each "%4x". None when either needs more
// than four digits (it would run into the next entry).
std::optional<std::string> directoryEntry(size_t startBlock, size_t length);

// Puts entry `index` (0 for section 2 ... 4 for section 6) into the directory block.
bool putDirectoryEntry(DataBlock& directory, size_t index, size_t startBlock, size_t length);
// The tag that marks a complete directory.
void putDirectoryTag(DataBlock& directory);

// Every pair of bytes exchanged (byte 1, byte 0, byte 3, byte 2, ...); an odd last byte stays.
std::vector<uint8_t> wordSwapped(std::span<const uint8_t> data);

// The blocks the six sections and the directory take; false when they do not fit below the
// directory block.
bool sectionsFit(const DataEepromSections& sections);

}  // namespace velmar::unitlink
