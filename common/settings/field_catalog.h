#pragma once

// The store's view of the settings: every field of a settings set and of the unit-wide area
// by the name the store gives it, with the value the store holds.

#include <vector>

#include "field_value.h"
#include "settings_fields.h"

namespace velmar {

std::vector<Field> listSetFields(const SetFields& set);
std::vector<Field> listUnitFields(const UnitFields& unit);

}  // namespace velmar
