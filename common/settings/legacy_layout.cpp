#include "legacy_layout.h"

#include "codec_parts.h"
#include "image_codec.h"
#include "image_cursor.h"

namespace velmar {

namespace {
constexpr int kNewestLegacyUnitVersion = 3;
constexpr int kUnusedModeBytes = 36;
}  // namespace

bool decodeLegacyUnitState(SettingsStore& store)
{
    auto& u = store.unit();
    ImageCursor in(store, kLegacyUnitStateOffset);
    if (in.take() > kNewestLegacyUnitVersion)
        return false;
    takeUnitValues(u, in);
    // The display's unit value lived here before it moved into the main block.
    const int shared = in.take();
    store.setDisplayUnitValue(shared & 0x0F);
    u.tunerBand = (shared >> 4) & 0x03;
    for (auto& f : u.tunerFrequency)
        f.set(in.takeSignedWord());
    for (auto& level : u.modeLevels)
        level.set(in.takeSigned());
    in.skip(kUnusedModeBytes);
    for (auto& trim : u.modeTrims)
        trim.set(in.takeSigned());
    u.tunerFlags = in.take() & 0x0F;
    const int modes = in.take();
    for (int bank = 1; bank < kTunerBankCount; ++bank)
        u.tunerModes[bank] = modes & 0x03;
    u.tunerByte = static_cast<std::uint8_t>(modes >> 2);
    return in.checkWordMatches();
}

void convertImage(SettingsStore& store)
{
    store.writeImage.fill(0);
    store.legacyLayout = detectLegacyLayout(store);

    if (readIdentString(store))
        writeIdentString(store, store.unit().identString.data());

    prepareStore(store, false);
    decodeSystemCodes(store);
    encodeSystemCodes(store);

    for (int base : {kInstallerBase, kUserBase}) {
        prepareStore(store, false);
        if (!decodeSet(store, base))
            prepareStore(store, false);
        encodeSet(store, base);
    }

    prepareStore(store, false);
    prepareStore(store, true);
    encodeSet(store, kCurrentBase);
    encodeUnitState(store);
    encodeModeTable(store);
    store.legacyLayout = false;
}

}  // namespace velmar
