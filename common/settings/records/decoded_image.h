#pragma once

// A whole settings image read into plain data, for tools that show or compare images
// without keeping a store of their own.

#include <array>
#include <string>
#include <vector>

#include "image.h"
#include "model_kind.h"
#include "records/settings_record_set.h"
#include "settings_fields.h"

namespace velmar {

struct DecodedSet {
    std::string name;  // "Current", "User", "Installer"
    int base = 0;
    SetFields fields;  // as the store holds them
    SettingsRecordSet records;
};

struct DecodedImage {
    bool legacyLayout = false;
    std::array<DecodedSet, 3> sets;  // Current, User, Installer
    UnitFields unit;
    std::vector<std::string> refused;  // e.g. "User main block", "mode table"
};

// Reads every set as the retrieve flow does, and the unit-wide sections; an image in the
// older layout is read in its own byte order.
DecodedImage decodeImage(const Image& image, ModelKind model, Variant variant = Variant::Editor);

// The image rebuilt in the current layout, as before programming a unit with newer firmware.
Image convertedImage(const Image& image, ModelKind model, Variant variant = Variant::Editor);

}  // namespace velmar
