#pragma once

// Every field of a record set, and of the unit-wide settings, as a flat list of named
// values: what a dump prints and what a comparison of two sets walks.

#include <string>
#include <vector>

#include "records/settings_record_set.h"
#include "settings_fields.h"

namespace velmar {

struct FieldValue {
    std::string name;   // e.g. "speakerConfig.cinema.fronts", "setupPresets.entry[3].name"
    std::string value;  // integers in decimal, names in double quotes
    bool operator==(const FieldValue&) const = default;
};
using FieldList = std::vector<FieldValue>;

FieldList listFields(const SettingsRecordSet& set);
FieldList listUnitFields(const UnitFields& unit);

}  // namespace velmar
