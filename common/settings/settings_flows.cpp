#include "settings_flows.h"

#include "image_codec.h"

namespace velmar {

void retrieveSets(SettingsStore& store, const SetHook& takeSet)
{
    // An image in the older layout keeps its words high byte first; read it as it is.
    store.legacyLayout = detectLegacyLayout(store);
    copyReadToWrite(store);
    saveUnitArea(store);
    for (const auto& set : kSetsInFlowOrder) {
        prepareStore(store, false);
        decodeSet(store, set.base);
        encodeSet(store, set.base);
        if (takeSet)
            takeSet(set, store);
    }
}

void storeBackSets(SettingsStore& store, const SetHook& putSet, bool keepUnitArea)
{
    if (keepUnitArea)
        encodeUnitState(store);
    for (const auto& set : kSetsInFlowOrder) {
        prepareStore(store, false);
        if (putSet)
            putSet(set, store);
        encodeSet(store, set.base);
    }
    if (keepUnitArea)
        restoreUnitArea(store);
}

}  // namespace velmar
