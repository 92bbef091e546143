#pragma once

#include <array>

#include "settings_store.h"

namespace velmar {

// "6. Adjust Input Levels": one analog level per source, half a decibel per step.
struct InputLevelsRecord {
    std::array<int, kSourceCount> level{};

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const InputLevelsRecord& other) const { return *this == other; }
    void assign(const InputLevelsRecord& other) { *this = other; }
    bool operator==(const InputLevelsRecord&) const = default;
};

}  // namespace velmar
