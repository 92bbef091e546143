#pragma once

// The older EEPROM arrangement that earlier unit firmware keeps, and the rebuilding of any
// image in the current layout. The current-layout codec hands these sections over here.

#include "settings_store.h"

namespace velmar {

// Main block of versions 0 to 5 at the set base; false when refused.
bool decodeLegacyMainBlock(SettingsStore& store, int base);
// The source section at 0x840 that serves every set of an older image; converts the records.
bool decodeLegacySourceSection(SettingsStore& store);
// The unit state section at 0x880 of an older image.
bool decodeLegacyUnitState(SettingsStore& store);
// Turns the legacy source records of the store into current source records.
void convertLegacySourceRecords(SettingsStore& store);

// Rebuilds WriteImage in the current layout from ReadImage, whatever layout it has.
// Leaves the legacy flag clear, so later reads of a current image are not byte-swapped.
void convertImage(SettingsStore& store);

}  // namespace velmar
