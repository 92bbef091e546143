#pragma once

#include <string>

#include "simulator/simulated_unit.h"

namespace velmar::sim {

// Files that keep a simulated unit's memories between runs, raw bytes each: the settings
// EEPROM (4096), the flash (131072, words low byte first) and the data EEPROM (131072).
// An empty name is not used.
struct MemoryFiles {
    std::string eeprom;
    std::string flash;
    std::string dataEeprom;
};

// Loads the files that exist; one that does not yet exist leaves that memory as it is (it is
// created on save). False with a reason for a file that cannot be read or has the wrong size.
bool loadMemoryFiles(const MemoryFiles& files, UnitMemory& memory, std::string& error);

// Writes each named file whole (through a temporary file and a rename).
bool saveMemoryFiles(const MemoryFiles& files, const UnitMemory& memory, std::string& error);

}  // namespace velmar::sim
