#include "records/decoded_image.h"

#include "image_codec.h"
#include "legacy_layout.h"
#include "image_snapshot.h"

namespace velmar {

namespace {

SettingsStore storeFor(const Image& image, ModelKind model, Variant variant) {
    SettingsStore store(variant);
    store.setModelKind(model);
    store.readImage = image;
    return store;
}

}  // namespace

DecodedImage decodeImage(const Image& image, ModelKind model, Variant variant) {
    SettingsStore store = storeFor(image, model, variant);
    const ImageSnapshot snap = snapshotImage(store);
    DecodedImage decoded;
    decoded.legacyLayout = snap.legacyLayout;
    decoded.unit = snap.unit;
    decoded.refused = snap.refused;
    for (std::size_t i = 0; i < decoded.sets.size(); ++i) {
        const auto& from = snap.sets[i];
        auto& target = decoded.sets[i];
        target.name = from.name;
        target.base = from.base;
        target.fields = from.fields;
        store.set() = from.fields;
        target.records.loadFromStore(store);
    }
    return decoded;
}

Image convertedImage(const Image& image, ModelKind model, Variant variant) {
    SettingsStore store = storeFor(image, model, variant);
    convertImage(store);
    return store.writeImage;
}

}  // namespace velmar
