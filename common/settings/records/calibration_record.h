#pragma once

#include <array>

#include "settings_store.h"

namespace velmar {

// "4. Speaker Calibration": trackbar positions, half a decibel each.
struct CalibrationRecord {
    int noiseReferenceLevel = 0;
    std::array<int, 9> channelLevel{};  // by speaker channel 0 Left Front .. 8 Music subwoofer

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const CalibrationRecord& other) const { return *this == other; }
    void assign(const CalibrationRecord& other) { *this = other; }
    bool operator==(const CalibrationRecord&) const = default;
};

}  // namespace velmar
