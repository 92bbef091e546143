#include "records/decoded_image.h"

#include <algorithm>
#include <string_view>

#include "image_codec.h"
#include "legacy_layout.h"
#include "settings_flows.h"

namespace velmar {

namespace {

constexpr std::string_view kShownOrder[] = {"Current", "User", "Installer"};

int shownIndex(std::string_view name) {
    return static_cast<int>(std::find(std::begin(kShownOrder), std::end(kShownOrder), name) - std::begin(kShownOrder));
}

SettingsStore storeFor(const Image& image, ModelKind model, Variant variant) {
    SettingsStore store(variant);
    store.setModelKind(model);
    store.readImage = image;
    return store;
}

}  // namespace

DecodedImage decodeImage(const Image& image, ModelKind model, Variant variant) {
    SettingsStore store = storeFor(image, model, variant);
    DecodedImage decoded;
    decoded.legacyLayout = detectLegacyLayout(store);
    retrieveSets(store, [&decoded](const NamedSet& set, SettingsStore& s) {
        auto& target = decoded.sets[shownIndex(set.name)];
        target.name = set.name;
        target.base = set.base;
        target.records.loadFromStore(s);
    });
    prepareStore(store, true);
    decodeSystemCodes(store);
    readIdentString(store);
    decoded.unit = store.unit();
    return decoded;
}

Image convertedImage(const Image& image, ModelKind model, Variant variant) {
    SettingsStore store = storeFor(image, model, variant);
    convertImage(store);
    return store.writeImage;
}

}  // namespace velmar
