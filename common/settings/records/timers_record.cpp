#include "records/timers_record.h"

namespace velmar {

namespace {

constexpr int kNoon = 12;
constexpr int kHoursPerDay = 24;

int storeIndex(int timer, int slot)
{
    return SettingsStore::timerTimeIndex(timer, slot == kWeekdayOff || slot == kWeekendOff,
                                         slot == kWeekendOn || slot == kWeekendOff);
}

}  // namespace

TimerTime timerTimeFromStore(int hour, int minute, bool clock24)
{
    if (clock24)
        return {hour, minute, 0};
    if (hour == 0)
        return {kNoon, minute, 0};
    if (hour < kNoon)
        return {hour, minute, 0};
    if (hour == kNoon)
        return {kNoon, minute, 1};
    if (hour < kHoursPerDay)
        return {hour - kNoon, minute, 1};
    // The editor never stores such an hour; AM keeps it unchanged on the way back.
    return {hour, minute, 0};
}

int timerHourToStore(const TimerTime& time, bool clock24)
{
    if (clock24)
        return time.hour;
    if (time.pm && time.hour != kNoon)
        return time.hour + kNoon;
    if (!time.pm && time.hour == kNoon)
        return 0;
    return time.hour;
}

void TimersRecord::loadFromStore(const SettingsStore& store)
{
    clock24 = store.clock24Hour();
    timersEnabled = store.timersEnabled();
    for (int zone = 0; zone < kTimerZoneCount; ++zone) {
        for (int timer = 0; timer < 2; ++timer) {
            auto& e = entry[zone][timer];
            for (int slot = 0; slot < kTimerTimeSlotCount; ++slot) {
                const int index = storeIndex(timer, slot);
                e.times[slot] = timerTimeFromStore(store.timerHour(zone, index), store.timerMinute(zone, index),
                                                   clock24);
            }
            e.volume = store.timerVolume(zone, timer);
            e.source = store.timerSource(zone, timer);
            e.station = store.timerStation(zone, timer);
            e.days = store.timerMode(zone, timer);
        }
    }
}

void TimersRecord::saveToStore(SettingsStore& store) const
{
    for (int zone = 0; zone < kTimerZoneCount; ++zone) {
        for (int timer = 0; timer < 2; ++timer) {
            const auto& e = entry[zone][timer];
            for (int slot = 0; slot < kTimerTimeSlotCount; ++slot)
                store.setTimerTime(zone, storeIndex(timer, slot), timerHourToStore(e.times[slot], clock24),
                                   e.times[slot].minute);
            store.setTimerVolume(zone, timer, e.volume);
            store.setTimerSource(zone, timer, e.source);
            store.setTimerStation(zone, timer, e.station);
            store.setTimerMode(zone, timer, e.days);
        }
    }
    store.setClock24Hour(clock24);
    store.setTimersEnabled(timersEnabled);
}

}  // namespace velmar
