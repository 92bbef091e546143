#pragma once

#include "pages/pair_range.h"

// The volume paths Main, Zone 2, Zone 3 and HPhone: the ranges of their On and Max Volume
// pairs and the "Lock to On Vol" setting of the three that are not Main.
namespace velmar::editor {

inline constexpr int kMainPath = 0;
inline constexpr int kPathCount = 4;

// Main in 0.5 dB steps from -95.5 to +31.5 dB; the others in 1.25 dB steps from -62.5 to
// +11.25 dB, the top meaning "Lock to On Vol".
PairRange maxVolumeRange(int path);
// True when a Max Volume at this position means "Lock to On Vol".
bool isLockedToOnVolume(int path, int maxPosition);
// On Volume goes from the path's bottom up to Max Volume, or to +10.0 dB while locked.
PairRange onVolumeRange(int path, int maxPosition);

}  // namespace velmar::editor
