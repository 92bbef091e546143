#include "records/tuner_record.h"

namespace velmar {

namespace {
// The store keeps AM in units of 10 kHz.
constexpr int kKilohertzPerAmUnit = 10;
bool isAm(int preset) { return SettingsStore::presetBank(preset) == 0; }
}  // namespace

void TunerRecord::loadFromStore(const SettingsStore& store)
{
    for (int k = 0; k < kPresetCount; ++k) {
        freq[k] = store.presetFrequency(k) * (isAm(k) ? kKilohertzPerAmUnit : 1);
        mode[k] = isAm(k) ? 0 : store.presetMode(k);
    }
}

void TunerRecord::saveToStore(SettingsStore& store) const
{
    for (int k = 0; k < kPresetCount; ++k) {
        store.setPresetFrequency(k, isAm(k) ? freq[k] / kKilohertzPerAmUnit : freq[k]);
        if (!isAm(k))
            store.setPresetMode(k, mode[k]);
    }
}

}  // namespace velmar
