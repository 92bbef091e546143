#include "image_snapshot.h"

#include <algorithm>
#include <cstring>

#include "image_codec.h"
#include "legacy_layout.h"
#include "settings_flows.h"

namespace velmar {

ImageSnapshot snapshotImage(SettingsStore& store) {
    ImageSnapshot snap;
    snap.legacyLayout = detectLegacyLayout(store);
    store.legacyLayout = snap.legacyLayout;
    auto refuse = [&snap](std::string what) { snap.refused.push_back(std::move(what)); };

    for (const auto& set : kSetsInFlowOrder) {
        prepareStore(store, false);
        SetDecodeReport report;
        decodeSet(store, set.base, &report);
        const std::string name = set.name;
        if (!report.mainBlock) refuse(name + " main block");
        else if (!report.presets) refuse(name + " preset block");
        if (report.mainBlock && !report.sources) refuse(name + " source block");
        snap.sets.push_back({name, set.base, store.set()});
    }
    // People read Current first.
    std::reverse(snap.sets.begin(), snap.sets.end());

    const bool unitState = snap.legacyLayout ? decodeLegacyUnitState(store) : decodeUnitState(store);
    if (!unitState) refuse("unit state");
    if (!snap.legacyLayout && !decodeModeTable(store)) refuse("mode table");
    if (!decodeSystemCodes(store)) refuse("system codes");
    const auto stored = store.readImage.begin() + kIdentOffset;
    const bool storedDefault = std::equal(stored, stored + 8, kDefaultIdentString);
    if (!readIdentString(store) && !storedDefault) refuse("identification string");
    snap.unit = store.unit();
    return snap;
}

}  // namespace velmar
