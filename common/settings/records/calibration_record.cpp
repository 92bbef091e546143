#include "records/calibration_record.h"

namespace velmar {

void CalibrationRecord::loadFromStore(const SettingsStore& store)
{
    noiseReferenceLevel = store.noiseReferenceLevel();
    for (int c = 0; c < static_cast<int>(channelLevel.size()); ++c)
        channelLevel[c] = store.speakerLevel(c);
}

void CalibrationRecord::saveToStore(SettingsStore& store) const
{
    store.setNoiseReferenceLevel(noiseReferenceLevel);
    for (int c = 0; c < static_cast<int>(channelLevel.size()); ++c)
        store.setSpeakerLevel(c, channelLevel[c]);
}

}  // namespace velmar
