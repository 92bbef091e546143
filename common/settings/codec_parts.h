#pragma once

// Runs of fields that the current and the older layout store alike; internal to the codec.

#include "image_cursor.h"
#include "settings_store.h"

namespace velmar {

// unitValue, unitSelect and the five state nibble bytes.
void takeUnitValues(UnitFields& unit, ImageCursor& in);
// rs232Options, the packed IR inputs and the trigger masks.
void takeControlInputs(SettingsStore& store, ImageCursor& in);

}  // namespace velmar
