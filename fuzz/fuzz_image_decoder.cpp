#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "settings/image_codec.h"
#include "settings/legacy_layout.h"
#include "settings/records/decoded_image.h"
#include "settings/settings_flows.h"

namespace {

std::uint16_t sum(const velmar::Image& image, int from, int length)
{
    unsigned s = 0;
    for (int i = from; i < from + length; ++i)
        s += image[i];
    return static_cast<std::uint16_t>(s);
}

bool framed(const velmar::Image& image, int offset, int length)
{
    const int check = image[offset + length - 2] | (image[offset + length - 1] << 8);
    return check == sum(image, offset, length - 2);
}

}  // namespace

// Besides crashes and sanitizer reports: whatever the image held, one retrieve gives every set
// valid check words again, and a converted image decodes without refusals.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmar;
    for (Variant variant : {Variant::Editor, Variant::Installer}) {
        SettingsStore store(variant);
        if (size > 0)
            store.setModelKind(static_cast<ModelKind>(data[0] % 4));
        std::copy_n(data, std::min(size, kImageSize), store.readImage.begin());

        decodeImage(store.readImage, store.modelKind(), variant);
        retrieveSets(store, nullptr);
        for (const auto& set : kSetsInFlowOrder) {
            if (!framed(store.writeImage, set.base, 346) ||
                !framed(store.writeImage, set.base + kPresetBlockOffset, 45) ||
                !framed(store.writeImage, set.base + kSourceBlockOffset, 133))
                std::abort();
        }

        convertImage(store);
        store.readImage = store.writeImage;
        store.legacyLayout = false;
        for (const auto& set : kSetsInFlowOrder) {
            SetDecodeReport report;
            prepareStore(store, false);
            decodeSet(store, set.base, &report);
            if (!report.mainBlock || !report.presets || !report.sources)
                std::abort();
        }
    }
    return 0;
}
