#pragma once

// The two vocabularies tools name settings in: the store's fields ("sourceName[2]") or the
// pages' records ("setupPresets.entry[2].name"). The unit-wide fields have only the store's
// names, in both views: no page record holds them.

#include <vector>

#include "field_value.h"
#include "records/decoded_image.h"

namespace velmar {

enum class SettingsView { Store, Records };

// What a dump shows of the set and a comparison walks.
std::vector<Field> listSet(SettingsView view, const DecodedSet& set);

}  // namespace velmar
