#pragma once

#include <array>

#include "settings_store.h"

namespace velmar {

// "11.Tuner": index bank × 6 + preset; AM in kHz, FM in tenths of a MHz.
struct TunerRecord {
    std::array<int, kPresetCount> freq{};
    std::array<int, kPresetCount> mode{};  // FM only: Stereo, High Blend, Mono

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const TunerRecord& other) const { return *this == other; }
    void assign(const TunerRecord& other) { *this = other; }
    bool operator==(const TunerRecord&) const = default;
};

}  // namespace velmar
