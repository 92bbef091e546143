#include "records/listener_record.h"

namespace velmar {

void ListenerRecord::loadFromStore(const SettingsStore& store)
{
    metric = store.metricUnits();
    for (int d = 0; d < kDistanceCount; ++d)
        distance[d] = store.speakerDistance(d);
    rearSpacing = store.rearSpacing();
}

void ListenerRecord::saveToStore(SettingsStore& store) const
{
    // The distance writer limits by the unit, so the unit goes first.
    store.setMetricUnits(metric);
    for (int d = 0; d < kDistanceCount; ++d)
        store.setSpeakerDistance(d, distance[d]);
    store.setRearSpacing(rearSpacing);
}

}  // namespace velmar
