#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "pages/zones/timer_rules.h"
#include "pages/zones/tuner_rules.h"
#include "pages/zones/volume_rules.h"

using namespace velmar;
using namespace velmar::editor;

namespace {

// What a pair set up with a range, as the pages do it, reaches.
struct Span {
    int MinPosition;
    int MaxPosition;
    double LowestValue;
    double HighestValue;
    double Step;
};

Span pairWith(const PairRange& range)
{
    CBoundValueDlg pair;
    applyRange(pair, range);
    return {pair.MinPosition(), pair.MaxPosition(), pair.LowestValue(), pair.HighestValue(),
            pair.ValueOf(1) - pair.ValueOf(0)};
}

double valueOf(const PairRange& range, int position)
{
    CBoundValueDlg pair;
    applyRange(pair, range);
    return pair.ValueOf(position);
}

// Every entry gets its own times, so that an entry the conversion skips shows.
TimersRecord twelveHourTimers()
{
    TimersRecord r;
    r.clock24 = 0;
    for (int zone = 0; zone < kTimerZoneCount; ++zone)
        for (int timer = 0; timer < 2; ++timer)
            r.entry[zone][timer].times = {TimerTime{12, 30, 0}, TimerTime{1, 15 + zone, 1}, TimerTime{12, timer, 1},
                                          TimerTime{11, 59, 1}};
    return r;
}

}  // namespace

TEST(TimerClockForm, AllSixTimersConvertBothWays)
{
    TimersRecord r = twelveHourTimers();
    const TimersRecord twelve = r;
    convertClockForm(r, 1);
    EXPECT_EQ(r.clock24, 1);
    for (int zone = 0; zone < kTimerZoneCount; ++zone) {
        for (int timer = 0; timer < 2; ++timer) {
            const auto& t = r.entry[zone][timer].times;
            EXPECT_EQ(t[kWeekdayOn], (TimerTime{0, 30, 0})) << zone << timer;
            EXPECT_EQ(t[kWeekdayOff], (TimerTime{13, 15 + zone, 0})) << zone << timer;
            EXPECT_EQ(t[kWeekendOn], (TimerTime{12, timer, 0})) << zone << timer;
            EXPECT_EQ(t[kWeekendOff], (TimerTime{23, 59, 0})) << zone << timer;
        }
    }
    convertClockForm(r, 0);
    EXPECT_EQ(r, twelve);
}

TEST(TimerClockForm, TheSameFormChangesNothing)
{
    TimersRecord r = twelveHourTimers();
    const TimersRecord before = r;
    convertClockForm(r, 0);
    EXPECT_EQ(r, before);
    convertClockForm(r, 1);
    const TimersRecord day = r;
    convertClockForm(r, 1);
    EXPECT_EQ(r, day);
}

TEST(TimerClockForm, HoursPastTheDayKeepTheirMarker)
{
    EXPECT_EQ(toClock12({25, 10, 1}), (TimerTime{25, 10, 1}));
    EXPECT_EQ(toClock24({30, 0, 1}), (TimerTime{30, 0, 1}));
}

TEST(TimerClockForm, StoredQuarterToOneRoundTripsInTwelveHourForm)
{
    SettingsStore store;
    store.defaultTimers();
    const int index = SettingsStore::timerTimeIndex(1, false, true);
    store.setTimerTime(2, index, 0, 45);
    TimersRecord r;
    r.loadFromStore(store);
    ASSERT_EQ(r.clock24, 0);
    EXPECT_EQ(r.entry[2][1].times[kWeekendOn], (TimerTime{12, 45, 0}));
    convertClockForm(r, 1);
    EXPECT_EQ(r.entry[2][1].times[kWeekendOn], (TimerTime{0, 45, 0}));
    convertClockForm(r, 0);
    store.setTimerTime(2, index, 7, 7);
    r.saveToStore(store);
    EXPECT_EQ(store.timerHour(2, index), 0);
    EXPECT_EQ(store.timerMinute(2, index), 45);
}

TEST(TimerTimes, HoursAndMinutesInRangeByForm)
{
    for (const auto& [hour, clock24, ok] : {std::tuple{0, 1, true},
                                            {23, 1, true},
                                            {24, 1, false},
                                            {-1, 1, false},
                                            {0, 0, false},
                                            {1, 0, true},
                                            {12, 0, true},
                                            {13, 0, false}})
        EXPECT_EQ(isTimerHour(hour, clock24), ok) << hour << " in form " << clock24;
    for (const auto& [minute, ok] : {std::pair{-1, false}, {0, true}, {59, true}, {60, false}, {75, false}})
        EXPECT_EQ(isTimerMinute(minute), ok) << minute;
}

// The auto-on volume pair reaches exactly as far as the store keeps a timer's volume.
TEST(TimerVolume, RangeByZoneMatchesWhatTheStoreKeeps)
{
    SettingsStore store;
    for (int zone = 0; zone < kTimerZoneCount; ++zone) {
        const Span pair = pairWith(autoOnVolumeRange(zone));
        for (const int steps : {pair.MinPosition, pair.MaxPosition}) {
            store.setTimerVolume(zone, 0, steps);
            EXPECT_EQ(store.timerVolume(zone, 0), steps) << "zone " << zone;
        }
        store.setTimerVolume(zone, 0, pair.MaxPosition + 1);
        EXPECT_EQ(store.timerVolume(zone, 0), pair.MaxPosition) << "zone " << zone;
    }
    const Span main = pairWith(autoOnVolumeRange(0));
    EXPECT_EQ(main.LowestValue, -95.5);
    EXPECT_EQ(main.HighestValue, 31.5);
    const Span zone2 = pairWith(autoOnVolumeRange(1));
    EXPECT_EQ(zone2.LowestValue, -62.5);
    EXPECT_EQ(zone2.HighestValue, 10.0);
    EXPECT_EQ(zone2.Step, 1.25);
}

TEST(TunerStations, StationsPastThePresetsNameNoneAndOpenOnAPreset)
{
    TunerRecord tuner;
    for (int station = kPresetCount; station < 32; ++station) {
        EXPECT_FALSE(isStation(station));
        const PresetChoice choice = presetOfStation(station);
        EXPECT_GE(choice.bank, 0);
        EXPECT_LT(choice.bank, kBankCount);
        EXPECT_GE(choice.preset, 0);
        EXPECT_LT(choice.preset, kPresetsPerBank);
        EXPECT_EQ(stationText(tuner, station), "error");
    }
}

TEST(TunerStations, StationText)
{
    TunerRecord tuner;
    tuner.freq[1] = 1000;
    tuner.freq[13] = 1011;
    tuner.mode[13] = 0;
    tuner.freq[23] = 879;
    tuner.mode[23] = 2;
    EXPECT_EQ(stationText(tuner, 1), "AM1-2  1000 KHz");
    EXPECT_EQ(stationText(tuner, 13), "FM2-2 St  101.1 MHz");
    EXPECT_EQ(stationText(tuner, 23), "FM3-6 Mn  87.9 MHz");
    tuner.mode[13] = 3;  // the field's fourth value names no mode
    EXPECT_EQ(stationText(tuner, 13), "FM2-2   101.1 MHz");
}

// The frequency pair covers exactly the band the store keeps, in the record's units.
TEST(TunerBands, RangeByBandMatchesTheStoresLimits)
{
    const Span am = pairWith(bandRange(kAmBank));
    EXPECT_EQ(am.MinPosition, 530);
    EXPECT_EQ(am.MaxPosition, 1710);
    EXPECT_EQ(am.Step, 1.0);
    for (int bank = 1; bank < kBankCount; ++bank) {
        const Span fm = pairWith(bandRange(bank));
        EXPECT_EQ(fm.MinPosition, 875);
        EXPECT_EQ(fm.MaxPosition, 1079);
        EXPECT_EQ(valueOf(bandRange(bank), 1011), 101.1);
    }
    SettingsStore store;
    TunerRecord tuner;
    tuner.freq[0] = am.MinPosition;
    tuner.freq[5] = am.MaxPosition;
    tuner.freq[6] = 875;
    tuner.freq[23] = 1079;
    tuner.saveToStore(store);
    TunerRecord back;
    back.loadFromStore(store);
    EXPECT_EQ(back.freq[0], 530);
    EXPECT_EQ(back.freq[5], 1710);
    EXPECT_EQ(back.freq[6], 875);
    EXPECT_EQ(back.freq[23], 1079);
}

TEST(VolumePaths, MaxVolumeRangeMatchesWhatTheStoreKeeps)
{
    SettingsStore store;
    store.defaultZoneVolumes();
    for (int path = 0; path < kPathCount; ++path) {
        const Span max = pairWith(maxVolumeRange(path));
        store.setMaxVolume(path, max.MaxPosition + 3);
        EXPECT_EQ(store.maxVolume(path), max.MaxPosition) << "path " << path;
        store.setMaxVolume(path, max.MinPosition);
        EXPECT_EQ(store.maxVolume(path), max.MinPosition) << "path " << path;
    }
    EXPECT_EQ(pairWith(maxVolumeRange(kMainPath)).HighestValue, 31.5);
    EXPECT_EQ(pairWith(maxVolumeRange(3)).HighestValue, 11.25);
    EXPECT_EQ(pairWith(maxVolumeRange(3)).LowestValue, -62.5);
}

TEST(VolumePaths, LockToOnVolumeAtTheTopOfTheOtherPathsOnly)
{
    for (int path = 1; path < kPathCount; ++path) {
        const int top = pairWith(maxVolumeRange(path)).MaxPosition;
        EXPECT_TRUE(isLockedToOnVolume(path, top)) << path;
        EXPECT_FALSE(isLockedToOnVolume(path, top - 1)) << path;
        EXPECT_EQ(pairWith(onVolumeRange(path, top)).HighestValue, 10.0) << path;
    }
    EXPECT_FALSE(isLockedToOnVolume(kMainPath, pairWith(maxVolumeRange(kMainPath)).MaxPosition));
}

// The On Volume pair ends exactly at Max Volume's position, whatever that is.
TEST(VolumePaths, OnVolumeEndsAtMaxVolume)
{
    for (int path = 0; path < kPathCount; ++path) {
        const Span max = pairWith(maxVolumeRange(path));
        for (int p = max.MinPosition; p <= max.MaxPosition; ++p) {
            if (isLockedToOnVolume(path, p))
                continue;
            const Span on = pairWith(onVolumeRange(path, p));
            EXPECT_EQ(on.MaxPosition, p) << "path " << path;
            EXPECT_EQ(on.MinPosition, max.MinPosition) << "path " << path;
        }
    }
}
