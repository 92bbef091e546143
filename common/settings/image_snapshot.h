#pragma once

// Everything an image holds, decoded: the three sets, the unit-wide fields and the sections
// that were refused. For tools that show or compare images without a unit.

#include <string>
#include <vector>

#include "settings_store.h"

namespace velmar {

struct SetSnapshot {
    std::string name;  // "Current", "User", "Installer"
    int base = 0;
    SetFields fields;
};

struct ImageSnapshot {
    bool legacyLayout = false;
    std::vector<SetSnapshot> sets;  // Current, User, Installer
    UnitFields unit;
    std::vector<std::string> refused;  // e.g. "User main block", "mode table"
};

// Decodes the store's ReadImage; the store's fields and WriteImage are used as scratch.
ImageSnapshot snapshotImage(SettingsStore& store);

}  // namespace velmar
