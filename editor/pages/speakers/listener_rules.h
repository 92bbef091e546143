#pragma once

#include <array>
#include <vector>

// The rules of page "3. Listener Position" that depend on record values only: the unit of
// measure and which distances apply to the speaker arrangement.
namespace velmar::editor {

// Control ids of page "3. Listener Position".
enum ListenerControl : int {
    kIdLeftFrontSlider = 1106,
    kIdCenterSlider = 1107,
    kIdRightFrontSlider = 1108,
    kIdLeftSurroundSlider = 1109,
    kIdSubwooferSlider = 1110,
    kIdRightSurroundSlider = 1111,
    kIdLeftRearSlider = 1112,
    kIdRightRearSlider = 1113,
    kIdLeftFrontEdit = 1114,
    kIdCenterEdit = 1115,
    kIdRightFrontEdit = 1116,
    kIdLeftSurroundEdit = 1117,
    kIdSubwooferEdit = 1118,
    kIdRightSurroundEdit = 1119,
    kIdLeftRearEdit = 1120,
    kIdRightRearEdit = 1121,
    kIdLeftFrontUnit = 1078,
    kIdLeftSurroundUnit = 1079,
    kIdLeftRearUnit = 1080,
    kIdCenterUnit = 1081,
    kIdRightFrontUnit = 1082,
    kIdRightSurroundUnit = 1083,
    kIdSubwooferUnit = 1084,
    kIdRightRearUnit = 1105,
    kIdFeet = 1006,
    kIdMetres = 1007,
    kIdRearSpacingWide = 1008,
    kIdRearSpacingMiddle = 1009,
    kIdRearSpacingClose = 1010,
    kIdLeftSurroundPreset = 1218,
    kIdRightSurroundPreset = 1219,
    kIdLeftRearPreset = 1220,
    kIdRightRearLabel = 1221,
    kIdRightRearPreset = 1222,
};

// Scale (trackbar positions per unit), highest distance and captions of one unit of measure.
struct DistanceUnit {
    double scale;
    double highest;
    const char* unitLabel;
    std::array<const char*, 3> rearSpacing;
};
const DistanceUnit& distanceUnit(int metric);

// The controls to show and to hide for a surround type ("Direct", "Dipole") and a rear
// arrangement ("1 Direct", "2 Direct", "1 Dipole", "2 Dipole").
struct ListenerVisibility {
    std::vector<int> shown;
    std::vector<int> hidden;
};
ListenerVisibility listenerVisibility(int surroundType, int rearType);

}  // namespace velmar::editor
