#include "records/setup_presets_record.h"

namespace velmar {

namespace {

constexpr int kTuner = 3;
constexpr int kAmEqIndex = 10;
constexpr int kCopyZone2 = 1, kCopyZone3 = 2, kCopyRec = 4;

}  // namespace

int ModePresets::code(int slot) const
{
    const int listed = modeListCode(slot, position[slot]);
    return listed >= 0 ? listed : storedCode[slot];
}

bool ModePresets::operator==(const ModePresets& other) const
{
    for (int slot = 0; slot < kModePresetSlotCount; ++slot)
        if (position[slot] != other.position[slot] || code(slot) != other.code(slot))
            return false;
    return true;
}

void SourceEntry::loadFromStore(const SettingsStore& store, int source)
{
    for (int slot = 0; slot < kModePresetSlotCount; ++slot) {
        presets.storedCode[slot] = store.sourceRecordBits(source, modePresetByte(slot), 0, 5);
        presets.position[slot] = modeListPosition(slot, presets.storedCode[slot]);
    }
    name = store.sourceName(source);
    audioIn = store.audioInType(source);
    digitalIn = store.audioInConnector(source);
    muting = store.muting(source);
    eqLow = store.eqLow(source);
    eqHigh = store.eqHigh(source);
    amEqLow = source == kTuner ? store.eqLow(kAmEqIndex) : 0;
    amEqHigh = source == kTuner ? store.eqHigh(kAmEqIndex) : 0;
    speakerConfig = store.sourceSpeakerConfig(source);
    compositeVideo = SettingsStore::videoListPosition(store.compositeVideo(source));
    sVideo = SettingsStore::videoListPosition(store.sVideo(source));
    componentVideo = store.componentVideo(source);
    lipSync = store.sourceDelay(source);
}

void SourceEntry::saveToStore(SettingsStore& store, int source) const
{
    for (int slot = 0; slot < kModePresetSlotCount; ++slot)
        store.setSourceRecordBits(source, modePresetByte(slot), 0, 5, presets.code(slot));
    store.setSourceName(source, name);
    store.setAudioInType(source, audioIn);
    store.setAudioInConnector(source, digitalIn);
    store.setMuting(source, muting);
    store.setEqLow(source, eqLow);
    store.setEqHigh(source, eqHigh);
    if (source == kTuner) {
        store.setEqLow(kAmEqIndex, amEqLow);
        store.setEqHigh(kAmEqIndex, amEqHigh);
    }
    store.setSourceSpeakerConfig(source, speakerConfig);
    store.setCompositeVideo(source, SettingsStore::videoCodeAt(compositeVideo));
    store.setSVideo(source, SettingsStore::videoCodeAt(sVideo));
    store.setComponentVideo(source, componentVideo);
    store.setSourceDelay(source, lipSync);
}

void SetupPresetsRecord::loadFromStore(const SettingsStore& store)
{
    for (int i = 0; i < kSourceCount; ++i)
        entry[i].loadFromStore(store, i);
    copyZone2 = store.copyMain(kCopyZone2);
    copyZone3 = store.copyMain(kCopyZone3);
    copyRec = store.copyMain(kCopyRec);
}

void SetupPresetsRecord::saveToStore(SettingsStore& store) const
{
    for (int i = 0; i < kSourceCount; ++i)
        entry[i].saveToStore(store, i);
    store.setCopyMain(kCopyZone2, copyZone2);
    store.setCopyMain(kCopyZone3, copyZone3);
    store.setCopyMain(kCopyRec, copyRec);
}

}  // namespace velmar
