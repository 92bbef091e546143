#pragma once

#include <array>

#include "settings_store.h"

namespace velmar {

inline constexpr int kTriggerRowCount = 11;  // power on, then CD, 2-CH, 6-CH, TAPE, FM/AM, DVD, TV, SAT, VCR, AUX
inline constexpr int kIrZoneCount = 3;       // Main, Zone 2, Zone 3

// "Set IR Inputs": flag k = zone × 4 + receiver.
struct IrInputsRecord {
    std::array<int, kIrZoneCount * kIrInputCount> flag{};

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool operator==(const IrInputsRecord&) const = default;
};

// "Set Trigger N": flag k = column × 11 + row, columns Main, Zone 2, Zone 3, Record.
struct TriggerRecord {
    int number = 0;  // 0, 1, 2
    std::array<int, kTriggerColumnCount * kTriggerRowCount> flag{};

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool operator==(const TriggerRecord&) const = default;
};

// "9. Triggers/IR/RS-232".
struct TriggersRecord {
    int baudRate = 0;  // "2400" .. "115200"
    int flowControl = 0;
    int allTriggers = 0;
    int txStatus = 0;
    IrInputsRecord irInputs;
    std::array<TriggerRecord, kTriggerCount> trigger{TriggerRecord{0, {}}, TriggerRecord{1, {}}, TriggerRecord{2, {}}};

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const TriggersRecord& other) const { return *this == other; }
    void assign(const TriggersRecord& other) { *this = other; }
    bool operator==(const TriggersRecord&) const = default;
};

}  // namespace velmar
