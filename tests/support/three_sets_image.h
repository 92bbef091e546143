#pragma once

// A unit's settings EEPROM whose three stored sets (Current, User, Installer) differ, told
// apart by their first input level, and the reading back of those levels: enough to see which
// set went where after a transfer.
#include <cstdint>
#include <map>
#include <vector>

namespace velmar::test {

// The first input level of each set, keyed by the set's base address.
using SetLevels = std::map<int, int>;

// Levels 5, 6 and 7 in the Current, User and Installer sets.
std::vector<std::uint8_t> threeSetsImage();
SetLevels firstInputLevels(const std::vector<std::uint8_t>& eeprom);

}  // namespace velmar::test
