#include "legacy_layout.h"

#include "image_codec.h"

namespace velmar {

// The older layout's sections are not read yet: they are refused, so every caller takes its
// defaults fallback. convertImage below is complete and already serves current-layout images.
bool decodeLegacyMainBlock(SettingsStore&, int) { return false; }
bool decodeLegacySourceSection(SettingsStore&) { return false; }
bool decodeLegacyUnitState(SettingsStore&) { return false; }
void convertLegacySourceRecords(SettingsStore&) {}

void convertImage(SettingsStore& store) {
    store.writeImage.fill(0);
    store.legacyLayout = detectLegacyLayout(store);

    if (readIdentString(store)) writeIdentString(store, store.unit().identString.data());

    prepareStore(store, false);
    decodeSystemCodes(store);
    encodeSystemCodes(store);

    for (int base : {kInstallerBase, kUserBase}) {
        prepareStore(store, false);
        if (!decodeSet(store, base)) prepareStore(store, false);
        encodeSet(store, base);
    }

    prepareStore(store, false);
    prepareStore(store, true);
    encodeSet(store, kCurrentBase);
    encodeUnitState(store);
    encodeModeTable(store);
}

}  // namespace velmar
