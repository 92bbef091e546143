#pragma once

// Every field of a record set, and of the unit-wide settings, as a flat list of named
// values: what a dump prints and what a comparison of two sets walks.

#include <string>
#include <vector>

#include "records/settings_record_set.h"
#include "field_catalog.h"
#include "settings_fields.h"

namespace velmar {

struct NamedValue {
    std::string name;   // e.g. "speakerConfig.cinema.fronts", "setupPresets.entry[3].name"
    std::string value;  // integers in decimal, names in double quotes
    bool operator==(const NamedValue&) const = default;
};
using FieldList = std::vector<NamedValue>;

FieldList listFields(const SettingsRecordSet& set);
// A catalog's fields one value a line, lists indexed: "unit.tunerFrequency[2]".
FieldList flattenFields(const std::string& prefix, const std::vector<Field>& fields);

}  // namespace velmar
