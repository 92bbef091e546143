#pragma once

#include <array>
#include <string>

#include "settings_store.h"

namespace velmar {

// "8. Volume/Path Names": step counts per path Main, Zone 2, Zone 3, HPhone.
struct VolumesRecord {
    int muteLevel = 0;  // "Silent", "-5 dB" .. "-30 dB"
    int hphoneMutesSpeakers = 0;
    std::array<int, kVolumeZoneCount> onVolume{};
    std::array<int, kVolumeZoneCount> maxVolume{};
    std::string zone2Name;
    std::string zone3Name;
    std::string recName;

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const VolumesRecord& other) const { return *this == other; }
    void assign(const VolumesRecord& other) { *this = other; }
    bool operator==(const VolumesRecord&) const = default;
};

}  // namespace velmar
