#include "records/decoded_image.h"

#include <algorithm>

#include "image_codec.h"
#include "legacy_layout.h"
#include "settings_flows.h"

namespace velmar {

namespace {

SettingsStore storeFor(const Image& image, ModelKind model, Variant variant)
{
    SettingsStore store(variant);
    store.setModelKind(model);
    store.readImage = image;
    return store;
}

}  // namespace

DecodedImage decodeImage(const Image& image, ModelKind model, Variant variant)
{
    SettingsStore store = storeFor(image, model, variant);
    DecodedImage decoded;
    decoded.legacyLayout = detectLegacyLayout(store);
    store.legacyLayout = decoded.legacyLayout;
    auto refuse = [&decoded](std::string what) { decoded.refused.push_back(std::move(what)); };

    // People read Current first.
    auto target = decoded.sets.rbegin();
    for (const auto& set : kSetsInFlowOrder) {
        prepareStore(store, false);
        SetDecodeReport report;
        decodeSet(store, set.base, &report);
        const std::string name = set.name;
        if (!report.mainBlock)
            refuse(name + " main block");
        else if (!report.presets)
            refuse(name + " preset block");
        if (report.mainBlock && !report.sources)
            refuse(name + " source block");
        target->name = name;
        target->base = set.base;
        target->fields = store.set();
        ++target;
    }

    const bool unitState = decoded.legacyLayout ? decodeLegacyUnitState(store) : decodeUnitState(store);
    if (!unitState)
        refuse("unit state");
    if (!decoded.legacyLayout && !decodeModeTable(store))
        refuse("mode table");
    if (!decodeSystemCodes(store))
        refuse("system codes");
    const auto stored = store.readImage.begin() + kIdentOffset;
    const bool storedDefault = std::equal(stored, stored + 8, kDefaultIdentString);
    if (!readIdentString(store) && !storedDefault)
        refuse("identification string");
    decoded.unit = store.unit();
    // Some records read unit-wide fields too, so they are loaded once those are decoded.
    for (auto& set : decoded.sets) {
        store.set() = set.fields;
        set.records.loadFromStore(store);
    }
    return decoded;
}

Image convertedImage(const Image& image, ModelKind model, Variant variant)
{
    SettingsStore store = storeFor(image, model, variant);
    convertImage(store);
    return store.writeImage;
}

}  // namespace velmar
