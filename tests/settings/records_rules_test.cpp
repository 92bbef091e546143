// The conversions and orderings between records and the store that pages rely on.
#include <gtest/gtest.h>

#include "image_codec.h"
#include "records/settings_record_set.h"

namespace velmar {
namespace {

SettingsRecordSet defaultsRecordSet()
{
    SettingsStore store;
    prepareStore(store, false);
    SettingsRecordSet set;
    set.loadFromStore(store);
    return set;
}

// Saving a set goes into freshly defaulted store contents, as before every encode.
SettingsStore savedInto(SettingsRecordSet set)
{
    SettingsStore store;
    prepareStore(store, false);
    set.saveToStore(store);
    return store;
}

TEST(RecordSetOrder, LevelsLimitedByMainMaximumUseTheSetsOwnMaximum)
{
    auto set = defaultsRecordSet();
    set.calibration.noiseReferenceLevel = 30;  // above the default Main maximum of 20
    set.speakerConfig.room.toneLevel = 40;
    set.volumes.maxVolume[0] = 63;
    const auto high = savedInto(set);
    EXPECT_EQ(high.noiseReferenceLevel(), 30);
    EXPECT_EQ(high.roomTestToneLevel(), 40);

    set.volumes.maxVolume[0] = 10;
    const auto low = savedInto(set);
    EXPECT_EQ(low.noiseReferenceLevel(), 10);
    EXPECT_EQ(low.roomTestToneLevel(), 10);
}

TEST(RecordSetOrder, DigitalTwoFallsBackWhenItsSourceIsAnalogInTheSameSave)
{
    auto set = defaultsRecordSet();
    set.audioOut.digital2 = 5;              // "SAT - Digital"
    set.setupPresets.entry[5].audioIn = 1;  // "Anlg-Dir"
    auto analog = set;
    EXPECT_EQ(savedInto(analog).digital2Source(), 0);
    SettingsStore store;
    prepareStore(store, false);
    analog.saveToStore(store);
    EXPECT_EQ(analog.audioOut.digital2, 0);

    set.setupPresets.entry[5].audioIn = 2;
    EXPECT_EQ(savedInto(set).digital2Source(), 6);
}

TEST(AudioOutRecord, TunerCodeLoadsAsDigitalOne)
{
    SettingsStore store;
    store.set().audioOutFormat = 4;
    AudioOutRecord record;
    record.loadFromStore(store);
    EXPECT_EQ(record.digital2, 0);
}

TEST(TimersRecord, TwelveHourTimesMapToTheStoresDay)
{
    SettingsStore store;
    TimersRecord timers;
    timers.clock24 = 0;
    timers.entry[1][0].times[kWeekdayOn] = {12, 30, 0};   // 12:30 AM
    timers.entry[1][0].times[kWeekdayOff] = {1, 15, 1};   // 1:15 PM
    timers.entry[1][0].times[kWeekendOn] = {12, 0, 1};    // 12:00 PM
    timers.entry[1][0].times[kWeekendOff] = {11, 59, 1};  // 11:59 PM
    timers.saveToStore(store);
    const int expected[4][2] = {{0, 30}, {13, 15}, {12, 0}, {23, 59}};
    const int index[4] = {0, 2, 4, 6};
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(store.timerHour(1, index[slot]), expected[slot][0]) << "slot " << slot;
        EXPECT_EQ(store.timerMinute(1, index[slot]), expected[slot][1]) << "slot " << slot;
    }
    TimersRecord back;
    back.loadFromStore(store);
    EXPECT_EQ(back.entry[1][0].times, timers.entry[1][0].times);

    store.setClock24Hour(1);
    back.loadFromStore(store);
    EXPECT_EQ(back.entry[1][0].times[kWeekdayOn], (TimerTime{0, 30, 0}));
}

TEST(TimersRecord, HoursPastTheDayComeBackUnchanged)
{
    const TimerTime odd = timerTimeFromStore(25, 10, false);
    EXPECT_EQ(timerHourToStore(odd, false), 25);
}

TEST(SetupPresetsRecord, VideoListsAndNone)
{
    SettingsStore store;
    SourceEntry entry;
    entry.loadFromStore(store, 8);  // 2-CH: code 3 in both fields
    EXPECT_EQ(entry.compositeVideo, 7);
    EXPECT_EQ(entry.sVideo, 7);
    entry.compositeVideo = 2;  // "DVD"
    entry.sVideo = 7;          // "None"
    entry.saveToStore(store, 8);
    EXPECT_EQ(store.compositeVideo(8), 0);
    EXPECT_EQ(store.sVideo(8), 3);
}

TEST(SetupPresetsRecord, ModePresetsThroughTheCodeTables)
{
    SettingsStore store;
    store.setModePreset(1, 1, 19);  // DD-2.0 "Same as 2.0"
    store.setModePreset(1, 0, 19);  // not in the 2-ch list
    SourceEntry entry;
    entry.loadFromStore(store, 1);
    EXPECT_EQ(modeList(kDd20Slot)[entry.presets.position[kDd20Slot]].text, std::string("Same as 2.0"));
    EXPECT_EQ(entry.presets.position[kTwoChSlot], -1);

    const int lastUsed[kModePresetSlotCount] = {18, 14, 12, 9, 11, 8};  // "Last Used" positions
    for (int slot = 0; slot < kModePresetSlotCount; ++slot)
        entry.presets.position[slot] = lastUsed[slot];
    entry.presets.position[kTwoChSlot] = -1;  // left without a choice
    entry.saveToStore(store, 1);
    EXPECT_EQ(store.modePreset(1, 0), 19);  // the unlisted code is kept
    EXPECT_EQ(store.modePreset(1, 1), 18);
    for (int signal = 2; signal < 6; ++signal)
        EXPECT_EQ(store.modePreset(1, signal), 16);
}

TEST(SetupPresetsRecord, TunerCarriesTheAmEqualiser)
{
    SettingsStore store;
    SourceEntry tuner;
    tuner.loadFromStore(store, 3);
    tuner.amEqLow = 6;
    tuner.amEqHigh = -30;  // beyond the equaliser's range
    tuner.saveToStore(store, 3);
    EXPECT_EQ(store.eqLow(10), 6);
    EXPECT_EQ(store.eqHigh(10), -24);
    SourceEntry other;
    other.amEqLow = 8;
    other.saveToStore(store, 4);
    EXPECT_EQ(store.eqLow(10), 6);
}

TEST(TriggersRecord, FlagsMapToReceiverAndColumnBits)
{
    SettingsStore store;
    TriggersRecord triggers;
    triggers.loadFromStore(store);
    EXPECT_EQ(triggers.irInputs.flag, (std::array<int, 12>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    triggers.irInputs.flag.fill(0);
    triggers.irInputs.flag[10] = 1;    // Zone 3, "Rear IR 2:"
    triggers.trigger[1].flag[14] = 1;  // Zone 2, "6-CH:"
    triggers.baudRate = 6;
    triggers.saveToStore(store);
    EXPECT_EQ(store.irInputs(2), 4);
    EXPECT_EQ(store.irInputs(0), 0);
    EXPECT_EQ(store.triggerMask(1, 1), 1 << 3);
    EXPECT_EQ(store.triggerMask(0, 1), 0);
    EXPECT_EQ((store.set().rs232Options >> 4) & 7, 7);  // choice + 1
}

TEST(TunerAndVolumes, UnitConversions)
{
    SettingsStore store;
    TunerRecord tuner;
    tuner.loadFromStore(store);
    tuner.freq[2] = 1005;  // kHz
    tuner.freq[9] = 1011;  // 101.1 MHz
    tuner.saveToStore(store);
    EXPECT_EQ(store.set().presetOffset[9], 136);
    tuner.loadFromStore(store);
    EXPECT_EQ(tuner.freq[2], 1000);
    EXPECT_EQ(tuner.freq[9], 1011);

    VolumesRecord volumes;
    volumes.loadFromStore(store);
    volumes.muteLevel = 3;  // "-15 dB"
    volumes.zone2Name = "Kitchen";
    volumes.saveToStore(store);
    EXPECT_EQ(store.muteLevel(), 15);
    EXPECT_EQ(store.zoneName(1), "Kitche");
    volumes.loadFromStore(store);
    EXPECT_EQ(volumes.muteLevel, 3);
}

TEST(RecordSetEquality, SourceNamesCompareWithLetterCase)
{
    auto a = defaultsRecordSet();
    auto b = a;
    EXPECT_TRUE(a.equals(b));
    b.setupPresets.entry[0].name = "dvd   ";
    EXPECT_FALSE(a.equals(b));
}

TEST(RecordSetEquality, PresetsStoringTheSameCodesAreEqual)
{
    ModePresets a, b;
    a.storedCode[kDd51Slot] = 14;
    b.storedCode[kDd51Slot] = 15;
    EXPECT_TRUE(a == b);  // both hold a listed position, whose code decides
    a.position[kDd51Slot] = b.position[kDd51Slot] = -1;
    EXPECT_FALSE(a == b);
}

TEST(RecordSetAssign, CopiesTheNestedRecords)
{
    auto source = defaultsRecordSet();
    source.speakerConfig.cinema.subCrossover = 3;
    source.speakerConfig.music.fronts = 2;
    source.speakerConfig.room.filterWidth = 9;
    source.speakerConfig.tvSize = 4;
    source.triggers.trigger[2].flag[40] = 1;
    source.setupPresets.entry[6].presets.position[kDtsEsSlot] = 2;
    SettingsRecordSet target;
    target.assign(source);
    EXPECT_EQ(target.speakerConfig.cinema.subCrossover, 3);
    EXPECT_EQ(target.speakerConfig.music.fronts, 2);
    EXPECT_EQ(target.speakerConfig.room.filterWidth, 9);
    EXPECT_EQ(target.triggers.trigger[2].flag[40], 1);
    EXPECT_TRUE(target.equals(source));
}

}  // namespace
}  // namespace velmar
