#pragma once

#include <QStringList>
#include <array>

#include "settings/records/speaker_config_record.h"

// The rules of the speaker configuration dialogs that depend on record values only.
namespace velmar::editor {

// The subwoofer list: "None" .. "2 Super" in basic settings, "1 Sub" and "2 Sub" in advanced.
QStringList subwooferItems(bool advanced);
// The subwoofer choice carried over when "Use Advanced Settings:" is switched to advanced
// (or back): two subwoofers stay two, anything else becomes one.
int convertSubwooferChoice(int choice, bool toAdvanced);

// The 7.1 rears list: only "None" while there are no surround speakers.
QStringList rearsItems(int surrounds);

// A crossover below 25 Hz is shown as "Off" instead of its edit.
inline constexpr double kLowestCrossoverHz = 25.0;
inline bool crossoverIsOff(double hertz) { return hertz < kLowestCrossoverHz; }

// The highest frequency the room resonance filter and test tone may take: the subwoofer
// crossover of Cinema (and of Music when it has its own configuration), at most 160 Hz.
int roomFrequencyLimit(const SpeakerConfigRecord& record);

// "1 dB" .. "20 dB"
QStringList filterDepthItems();

}  // namespace velmar::editor
