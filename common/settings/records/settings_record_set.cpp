#include "records/settings_record_set.h"

namespace velmar {

void SettingsRecordSet::loadFromStore(const SettingsStore& store)
{
    inputLevels.loadFromStore(store);
    displays.loadFromStore(store);
    listener.loadFromStore(store);
    volumes.loadFromStore(store);
    speakerConfig.loadFromStore(store);
    calibration.loadFromStore(store);
    setupPresets.loadFromStore(store);
    triggers.loadFromStore(store);
    timers.loadFromStore(store);
    tuner.loadFromStore(store);
    audioOut.loadFromStore(store);
}

void SettingsRecordSet::saveToStore(SettingsStore& store)
{
    inputLevels.saveToStore(store);
    displays.saveToStore(store);
    listener.saveToStore(store);
    // The volumes go before the speaker records: the noise reference and test tone levels
    // are limited by the Main maximum, which must be this set's own and not the default.
    volumes.saveToStore(store);
    speakerConfig.saveToStore(store);
    calibration.saveToStore(store);
    setupPresets.saveToStore(store);
    triggers.saveToStore(store);
    timers.saveToStore(store);
    tuner.saveToStore(store);
    // Last, so the "Digital 2" check sees the audio inputs of this same save.
    audioOut.saveToStore(store);
}

}  // namespace velmar
