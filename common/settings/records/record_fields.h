#pragma once

// The pages' view of the settings: every field of a record set by the name its record gives
// it ("listener.rearSpacing", "setupPresets.entry[3].name").

#include <vector>

#include "field_value.h"
#include "records/settings_record_set.h"

namespace velmar {

// One field per record, each a Record value of its members.
std::vector<Field> listRecordFields(const SettingsRecordSet& set);
// The same, one scalar a line.
FieldList listFields(const SettingsRecordSet& set);

}  // namespace velmar
