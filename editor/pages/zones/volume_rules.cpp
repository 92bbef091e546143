#include "pages/zones/volume_rules.h"

namespace velmar::editor {

namespace {

constexpr double kLockedDecibels = 11.25;
constexpr double kLockedOnVolumeTop = 10.0;

}  // namespace

PairRange maxVolumeRange(int path)
{
    if (path == kMainPath)
        return {2.0, -95.5, 31.5};
    return {0.8, -62.5, kLockedDecibels};
}

bool isLockedToOnVolume(int path, int maxPosition)
{
    const PairRange range = maxVolumeRange(path);
    return path != kMainPath && maxPosition >= static_cast<int>(range.scale * kLockedDecibels);
}

PairRange onVolumeRange(int path, int maxPosition)
{
    PairRange range = maxVolumeRange(path);
    range.high = isLockedToOnVolume(path, maxPosition) ? kLockedOnVolumeTop : maxPosition / range.scale;
    return range;
}

}  // namespace velmar::editor
