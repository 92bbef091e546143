#pragma once

#include <array>
#include <string>

#include "records/mode_lists.h"
#include "settings_store.h"

namespace velmar {

// The six mode presets of a source, as list positions of the mode lists.
struct ModePresets {
    // -1 where the stored code is not in the slot's list.
    std::array<int, kModePresetSlotCount> position{};
    // The codes as last read: a slot without a list position writes its code back unchanged
    // rather than losing a mode the lists do not offer.
    std::array<int, kModePresetSlotCount> storedCode{};

    int code(int slot) const;
    // Equal when every slot would store the same code.
    bool operator==(const ModePresets& other) const;
};

// One source of "5. Setup/Presets": its mode presets and its setup values.
struct SourceEntry {
    ModePresets presets;

    std::string name;
    int audioIn = 0;    // "Anlg-DSP", "Anlg-Dir", "Dig", "Auto"
    int digitalIn = 0;  // connector: "XLR" .. "RCA AUX", 11 none of these
    int muting = 0;
    int eqLow = 0;  // half-decibel steps; the tuner's FM equaliser
    int eqHigh = 0;
    int amEqLow = 0;  // tuner only
    int amEqHigh = 0;
    int sVideo = 0;  // video list positions: "CD", "TAPE", "DVD", "TV", "SAT", "VCR", "AUX", "None"
    int compositeVideo = 0;
    int speakerConfig = 0;
    int componentVideo = 0;
    int lipSync = 0;  // 0.5 ms steps

    void loadFromStore(const SettingsStore& store, int source);
    // Presets first, then the setup values, as the sub-sheet's OK does.
    void saveToStore(SettingsStore& store, int source) const;
    bool operator==(const SourceEntry&) const = default;
};

struct SetupPresetsRecord {
    int copyZone2 = 0;
    int copyZone3 = 0;
    int copyRec = 0;
    std::array<SourceEntry, kSourceCount> entry{};

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const SetupPresetsRecord& other) const { return *this == other; }
    void assign(const SetupPresetsRecord& other) { *this = other; }
    bool operator==(const SetupPresetsRecord&) const = default;
};

}  // namespace velmar
