#include "records/volumes_record.h"

namespace velmar {

namespace {
constexpr int kZone2Slot = 1, kZone3Slot = 2, kRecordSlot = 4;
constexpr int kDecibelsPerMuteStep = 5;
}  // namespace

void VolumesRecord::loadFromStore(const SettingsStore& store)
{
    hphoneMutesSpeakers = store.hphoneMutesSpeakers();
    muteLevel = store.muteLevel() / kDecibelsPerMuteStep;
    for (int z = 0; z < kVolumeZoneCount; ++z) {
        maxVolume[z] = store.maxVolume(z);
        onVolume[z] = store.onVolume(z);
    }
    zone2Name = store.zoneName(kZone2Slot);
    zone3Name = store.zoneName(kZone3Slot);
    recName = store.zoneName(kRecordSlot);
}

void VolumesRecord::saveToStore(SettingsStore& store) const
{
    store.setHphoneMutesSpeakers(hphoneMutesSpeakers);
    store.setMuteLevel(muteLevel * kDecibelsPerMuteStep);
    // The on volume is limited by the maximum, so the maximum goes first.
    for (int z = 0; z < kVolumeZoneCount; ++z) {
        store.setMaxVolume(z, maxVolume[z]);
        store.setOnVolume(z, onVolume[z]);
    }
    store.setZoneName(kZone2Slot, zone2Name);
    store.setZoneName(kZone3Slot, zone3Name);
    store.setZoneName(kRecordSlot, recName);
}

}  // namespace velmar
