#pragma once

// The two flows that move all three settings sets between the images and their owners
// (the editor's record sets, the tool's dump): both programs call them.

#include <functional>

#include "settings_store.h"

namespace velmar {

struct NamedSet {
    const char* name;  // "Current", "User", "Installer"
    int base;
};

// The three sets in the order every flow visits them.
inline constexpr NamedSet kSetsInFlowOrder[] = {{"Installer", 0x400}, {"User", 0x200}, {"Current", 0x600}};

using SetHook = std::function<void(const NamedSet&, SettingsStore&)>;

// After ReadImage was filled: rebuilds WriteImage from it and hands each decoded set to
// takeSet while the store holds it.
void retrieveSets(SettingsStore& store, const SetHook& takeSet);

// Encodes the sets that putSet writes into the store. With keepUnitArea (a full store-back)
// the unit state is encoded first and the unit's own bytes are put back at the end.
void storeBackSets(SettingsStore& store, const SetHook& putSet, bool keepUnitArea);

}  // namespace velmar
