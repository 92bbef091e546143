#pragma once

#include <array>

#include "settings_store.h"

namespace velmar {

// "3. Listener Position": distances in tenths of the chosen unit.
struct ListenerRecord {
    int metric = 0;
    std::array<int, kDistanceCount> distance{};
    int rearSpacing = 0;

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const ListenerRecord& other) const { return *this == other; }
    void assign(const ListenerRecord& other) { *this = other; }
    bool operator==(const ListenerRecord&) const = default;
};

}  // namespace velmar
