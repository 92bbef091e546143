#pragma once

// The user-facing texts of the "1. Time/Timers", "11.Tuner" and "8. Volume/Path Names" pages,
// copied exactly, once.
namespace velmar::editor::texts {

// "1. Time/Timers"
inline constexpr const char* kTimeTimerCaption = "1. Time/Timers";
inline constexpr const char* kTimeNote =
    "Please note:\nCurrent Time and Current Day will be set automatically based on your current windows time. "
    "Please check that it is correct before uploading any new changes.";
inline constexpr const char* kClock24Check = "24 hour clock:";
inline constexpr const char* kEnableTimersCheck = "Enable Timers:";
inline constexpr const char* kZoneLabel = "Zone:";
inline constexpr const char* kTimerLabel = "Timer:";
inline constexpr const char* kTimerZones[] = {"Main", "Zone 2", "Zone 3"};
inline constexpr const char* kTimers[] = {"Timer 1", "Timer 2"};
inline constexpr const char* kTimerDays[] = {"Off", "Weekend Only", "Weekday Only", "Weekday+Weekend"};
inline constexpr const char* kWeekdayOn = "Weekday On:";
inline constexpr const char* kWeekdayOff = "Weekday Off:";
inline constexpr const char* kWeekendOn = "Weekend On:";
inline constexpr const char* kWeekendOff = "Weekend Off:";
inline constexpr const char* kAmPm[] = {"AM", "PM"};
inline constexpr const char* kSourceLabel = "Source:";
inline constexpr const char* kTimerSources[] = {"DVD", "CD",  "TAPE", "TUNER", "TV",
                                                "SAT", "VCR", "AUX",  "2-CH",  "6-CH"};
inline constexpr const char* kStationButton = "Station";
inline constexpr const char* kAutoOnVolume = "Auto On Volume:";
inline constexpr const char* kDecibels = "dB";
// An hour or minute outside its range: the lowest and the highest whole number it may take.
inline constexpr const char* kEnterIntegerBetween = "Please enter an integer between %1 and %2.";

// Station text: bank name, preset number and frequency
inline constexpr const char* kAmStationFormat = "%s-%d  %d KHz";
inline constexpr const char* kFmStationFormat = "%s-%d %s  %.1f MHz";
inline constexpr const char* kNoStation = "error";

// "11.Tuner"
inline constexpr const char* kTunerCaption = "11.Tuner";
inline constexpr const char* kBankNames[] = {"AM1", "FM1", "FM2", "FM3"};
inline constexpr const char* kBandItems[] = {"AM 1", "FM 1", "FM 2", "FM 3"};
inline constexpr const char* kModeShortNames[] = {"St", "HB", "Mn"};
inline constexpr const char* kModeNames[] = {"Stereo", "High Blend", "Mono"};
inline constexpr const char* kPresetButtons[] = {"1", "2", "3", "4", "5", "6"};
inline constexpr const char* kPresetLabelFormat = "Preset: %d";
inline constexpr const char* kFreqLabel = "Freq:";
inline constexpr const char* kKilohertz = "kHz";
inline constexpr const char* kMegahertz = "MHz";

// "8. Volume/Path Names"
inline constexpr const char* kVolumesCaption = "8. Volume/Path Names";
inline constexpr const char* kMuteLevelLabel = "Mute Level:";
inline constexpr const char* kMuteLevels[] = {"Silent", "-5 dB", "-10 dB", "-15 dB", "-20 dB", "-25 dB", "-30 dB"};
inline constexpr const char* kHphoneMuteCheck = "HPhone Mute Spkr:";
inline constexpr const char* kPathRadios[] = {"Main", "Zone 2", "Zone 3", "HPhone"};
inline constexpr const char* kPathCaptions[] = {"Main", "Zone2", "Zone3", "HPhone"};
inline constexpr const char* kOnVolume = "On Volume:";
inline constexpr const char* kMaxVolume = "Max Volume:";
inline constexpr const char* kLockToOnVol = "Lock to On Vol";
inline constexpr const char* kRenameZone2 = "Rename Zone2:";
inline constexpr const char* kRenameZone3 = "Rename Zone3:";
inline constexpr const char* kRenameRecord = "Rename Record:";

}  // namespace velmar::editor::texts
