#include "pages/zones/timer_rules.h"

namespace velmar::editor {

namespace {

constexpr int kNoon = 12;
constexpr int kHoursPerDay = 24;
constexpr int kTwoDigits = 10;
constexpr int kMainZone = 0;

QString withLeadingZero(int value)
{
    return value >= 0 && value < kTwoDigits ? QStringLiteral("0%1").arg(value) : QString::number(value);
}

}  // namespace

TimerTime toClock24(const TimerTime& time)
{
    // 24-hour form has no AM/PM; a cleared flag keeps equal times equal records.
    if (time.hour >= kHoursPerDay)
        return time;
    return {timerHourToStore(time, false), time.minute, 0};
}

TimerTime toClock12(const TimerTime& time)
{
    if (time.hour >= kHoursPerDay)
        return time;
    return timerTimeFromStore(time.hour, time.minute, false);
}

void convertClockForm(TimersRecord& record, int clock24)
{
    if (record.clock24 == clock24)
        return;
    record.clock24 = clock24;
    for (auto& zone : record.entry)
        for (TimerEntry& entry : zone)
            for (TimerTime& time : entry.times)
                time = clock24 ? toClock24(time) : toClock12(time);
}

int lowestTimerHour(int clock24) { return clock24 ? 0 : 1; }

int highestTimerHour(int clock24) { return clock24 ? kHoursPerDay - 1 : kNoon; }

bool isTimerHour(int hour, int clock24)
{
    return hour >= lowestTimerHour(clock24) && hour <= highestTimerHour(clock24);
}

bool isTimerMinute(int minute) { return minute >= kLowestMinute && minute <= kHighestMinute; }

QString timerHourText(int hour, int clock24) { return clock24 ? withLeadingZero(hour) : QString::number(hour); }

QString timerMinuteText(int minute) { return withLeadingZero(minute); }

PairRange autoOnVolumeRange(int zone)
{
    if (zone == kMainZone)
        return {2.0, -95.5, 31.5};
    return {0.8, -62.5, 10.0};
}

}  // namespace velmar::editor
