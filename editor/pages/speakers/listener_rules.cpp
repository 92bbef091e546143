#include "pages/speakers/listener_rules.h"

#include "pages/speakers/speaker_texts.h"

namespace velmar::editor {

const DistanceUnit& distanceUnit(int metric)
{
    static const DistanceUnit kFeet{2.0, 99.0, texts::kFeetUnit, texts::kRearSpacingFeet};
    static const DistanceUnit kMetres{5.0, 32.0, texts::kMetresUnit, texts::kRearSpacingMetres};
    return metric ? kMetres : kFeet;
}

namespace {

const std::vector<int> kSurroundDistances{kIdLeftSurroundSlider,  kIdLeftSurroundEdit,  kIdLeftSurroundUnit,
                                          kIdRightSurroundSlider, kIdRightSurroundEdit, kIdRightSurroundUnit};
const std::vector<int> kSurroundPresets{kIdLeftSurroundPreset, kIdRightSurroundPreset};
const std::vector<int> kLeftRearDistance{kIdLeftRearSlider, kIdLeftRearEdit, kIdLeftRearUnit};
const std::vector<int> kRightRearDistance{kIdRightRearSlider, kIdRightRearEdit, kIdRightRearUnit};
const std::vector<int> kRearPresets{kIdLeftRearPreset, kIdRightRearPreset};

enum RearType { kOneDirect = 0, kTwoDirect = 1 };

void append(std::vector<int>& to, const std::vector<int>& ids) { to.insert(to.end(), ids.begin(), ids.end()); }

}  // namespace

ListenerVisibility listenerVisibility(int surroundType, int rearType)
{
    ListenerVisibility v;
    const bool dipoleSurrounds = surroundType != 0;
    append(dipoleSurrounds ? v.hidden : v.shown, kSurroundDistances);
    append(dipoleSurrounds ? v.shown : v.hidden, kSurroundPresets);

    if (rearType == kTwoDirect) {
        append(v.shown, kLeftRearDistance);
        append(v.shown, kRightRearDistance);
        v.shown.push_back(kIdRightRearLabel);
        append(v.hidden, kRearPresets);
    } else if (rearType == kOneDirect) {
        append(v.shown, kLeftRearDistance);
        append(v.hidden, kRightRearDistance);
        v.hidden.push_back(kIdRightRearLabel);
        append(v.hidden, kRearPresets);
    } else {
        append(v.shown, kRearPresets);
        v.shown.push_back(kIdRightRearLabel);
        append(v.hidden, kLeftRearDistance);
        append(v.hidden, kRightRearDistance);
    }
    return v;
}

}  // namespace velmar::editor
