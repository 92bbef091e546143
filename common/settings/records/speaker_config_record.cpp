#include "records/speaker_config_record.h"

namespace velmar {

namespace {

constexpr int kMusic = 0, kCinema = 1;
constexpr int kFronts = 0, kCenter = 1, kSurrounds = 2, kRears = 3, kSub = 4;
constexpr int kBassPeakChannel = 9;

int crossoverIndex(const SettingsStore& store, int mode, int group) { return (store.crossover(mode, group) - 25) / 5; }

}  // namespace

void SpeakerModeRecord::loadFromStore(const SettingsStore& store, int mode)
{
    fronts = store.speakerSize(mode, kFronts);
    center = store.speakerSize(mode, kCenter);
    rears = store.speakerSize(mode, kRears);
    surrounds = store.speakerSize(mode, kSurrounds);
    advanced = store.useAdvancedSettings(mode);
    subwoofer = advanced ? store.twoUnits(mode, kSub) : store.subwooferChoice(mode);
    subCrossover = crossoverIndex(store, mode, kSub);
    bypassLfe = store.bypassLfeCrossover(mode);
    subPhase = store.subwooferPhase(mode);
    subPolarity = store.subwooferPolarity(mode);
    centerCrossover = crossoverIndex(store, mode, kCenter);
    frontCrossover = crossoverIndex(store, mode, kFronts);
    rearCrossover = crossoverIndex(store, mode, kRears);
    surroundCrossover = crossoverIndex(store, mode, kSurrounds);
}

void SpeakerModeRecord::saveToStore(SettingsStore& store, int mode) const
{
    store.setSpeakerSize(mode, kFronts, fronts);
    store.setSpeakerSize(mode, kCenter, center);
    store.setSpeakerSize(mode, kRears, rears);
    store.setSpeakerSize(mode, kSurrounds, surrounds);
    store.setUseAdvancedSettings(mode, advanced);
    if (advanced) {
        // Advanced settings offer only "1 Sub" and "2 Sub": one subwoofer size, the count in the flag.
        store.setSpeakerSize(mode, kSub, 1);
        store.setTwoUnits(mode, kSub, subwoofer);
    } else {
        store.setSubwooferChoice(mode, subwoofer);
    }
    store.setCrossoverIndex(mode, kSub, subCrossover);
    store.setBypassLfeCrossover(mode, bypassLfe);
    store.setSubwooferPhase(mode, subPhase);
    store.setSubwooferPolarity(mode, subPolarity);
    store.setCrossoverIndex(mode, kCenter, centerCrossover);
    store.setCrossoverIndex(mode, kFronts, frontCrossover);
    store.setCrossoverIndex(mode, kRears, rearCrossover);
    store.setCrossoverIndex(mode, kSurrounds, surroundCrossover);
}

void RoomResonanceRecord::loadFromStore(const SettingsStore& store)
{
    toneLevel = store.roomTestToneLevel();
    toneFrequency = store.roomTestToneFreqIndex();
    applyFilter = store.applyRoomFilter();
    filterCenter = store.roomFilterCenter();
    filterDepth = store.roomFilterDepth();
    filterWidth = store.roomFilterWidth();
    thxUltra2Sub = store.thxUltra2Sub();
    thxBgCompensation = store.thxBgCompensation();
}

void RoomResonanceRecord::saveToStore(SettingsStore& store) const
{
    store.setRoomTestToneLevel(toneLevel);
    store.setRoomTestToneFreqIndex(toneFrequency);
    store.setApplyRoomFilter(applyFilter);
    store.setRoomFilterCenter(filterCenter);
    store.setRoomFilterDepth(filterDepth);
    store.setRoomFilterWidth(filterWidth);
    store.setThxUltra2Sub(thxUltra2Sub);
    store.setThxBgCompensation(thxBgCompensation);
}

void SpeakerConfigRecord::loadFromStore(const SettingsStore& store)
{
    tvSize = store.tvSizeForEq();
    centerEq = store.centerEq();
    surroundType = store.dipole(kSurrounds);
    rearType = store.rearChoice();
    bassPeak = store.speakerLevel(kBassPeakChannel);
    cinema.loadFromStore(store, kCinema);
    music.loadFromStore(store, kMusic);
    musicSameAsCinema = store.musicSameAsCinema();
    room.loadFromStore(store);
}

void SpeakerConfigRecord::saveToStore(SettingsStore& store) const
{
    store.setTvSizeForEq(tvSize);
    store.setCenterEq(centerEq);
    store.setDipole(kSurrounds, surroundType);
    store.setRearChoice(rearType);
    store.setSpeakerLevel(kBassPeakChannel, bassPeak);
    cinema.saveToStore(store, kCinema);
    music.saveToStore(store, kMusic);
    store.setMusicSameAsCinema(musicSameAsCinema);
    room.saveToStore(store);
}

}  // namespace velmar
