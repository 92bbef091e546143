#pragma once

#include <array>

#include "settings_store.h"

namespace velmar {

// A time as the page shows it: in 12-hour form the hour is 1..12 with the PM flag.
struct TimerTime {
    int hour = 0;
    int minute = 0;
    int pm = 0;
    bool operator==(const TimerTime&) const = default;
};

enum TimerTimeSlot : int { kWeekdayOn, kWeekdayOff, kWeekendOn, kWeekendOff, kTimerTimeSlotCount };

struct TimerEntry {
    std::array<TimerTime, kTimerTimeSlotCount> times{};
    int volume = 0;  // signed step count (Main 0.5 dB, zones 1.25 dB)
    int days = 0;    // "Off", "Weekend Only", "Weekday Only", "Weekday+Weekend"
    int source = 0;
    int station = 0;  // bank × 6 + preset
    bool operator==(const TimerEntry&) const = default;
};

// "1. Time/Timers": two timers for each of Main, Zone 2 and Zone 3.
struct TimersRecord {
    int clock24 = 0;  // also the form the entries' hours are held in
    int timersEnabled = 0;
    std::array<std::array<TimerEntry, 2>, kTimerZoneCount> entry{};

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const TimersRecord& other) const { return *this == other; }
    void assign(const TimersRecord& other) { *this = other; }
    bool operator==(const TimersRecord&) const = default;
};

// Conversions between the store's 24-hour hour and the page's form.
TimerTime timerTimeFromStore(int hour, int minute, bool clock24);
int timerHourToStore(const TimerTime& time, bool clock24);

}  // namespace velmar
