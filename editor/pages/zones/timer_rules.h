#pragma once

#include <QString>

#include "pages/pair_range.h"
#include "records/timers_record.h"

// The rules of the six timers that do not depend on controls: the clock form, what an hour
// and a minute may be, how they are shown, and the auto-on volume by zone.
namespace velmar::editor {

// One time in the other form. Hours of 24 or more are not times and stay as they are.
TimerTime toClock24(const TimerTime& time);
TimerTime toClock12(const TimerTime& time);

// Puts every time of the six entries into the form clock24 (0 or 1) when the record holds
// them in the other one; then the record's form is clock24.
void convertClockForm(TimersRecord& record, int clock24);

// 0..23 in 24-hour form, 1..12 in 12-hour form; minutes 0..59.
int lowestTimerHour(int clock24);
int highestTimerHour(int clock24);
inline constexpr int kLowestMinute = 0;
inline constexpr int kHighestMinute = 59;
bool isTimerHour(int hour, int clock24);
bool isTimerMinute(int minute);

// "05" for minutes below 10; hours below 10 get their "0" in 24-hour form only.
QString timerHourText(int hour, int clock24);
QString timerMinuteText(int minute);

// Main in 0.5 dB steps from -95.5 to +31.5 dB; Zone 2 and Zone 3 in 1.25 dB steps from -62.5
// to +10.0 dB.
PairRange autoOnVolumeRange(int zone);

}  // namespace velmar::editor
