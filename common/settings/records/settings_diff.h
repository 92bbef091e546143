#pragma once

// Field-by-field differences between two record sets or two decoded images, set by set.

#include <string>
#include <vector>

#include "records/decoded_image.h"
#include "records/record_fields.h"
#include "records/settings_view.h"

namespace velmar {

struct FieldDifference {
    std::string set;    // "Current", "User", "Installer", or "Unit" for the unit-wide fields
    std::string field;  // as the view names it, with indexes: "listener.distance[3]", "sourceName[2]"
    std::string first;
    std::string second;
    bool operator==(const FieldDifference&) const = default;
};

std::vector<FieldDifference> diffFields(const std::string& set, const FieldList& first, const FieldList& second);
std::vector<FieldDifference> diffRecordSets(const std::string& set, const SettingsRecordSet& first,
                                            const SettingsRecordSet& second);
// The three sets in the order Current, User, Installer, then the unit-wide fields as "unit.…".
std::vector<FieldDifference> diffImages(const DecodedImage& first, const DecodedImage& second,
                                        SettingsView view = SettingsView::Records);

}  // namespace velmar
