#pragma once

#include "settings_store.h"

namespace velmar {

// One speaker mode (Cinema or Music) as its dialog shows it. Crossovers are page indexes:
// index k stands for k × 5 + 25 Hz.
struct SpeakerModeRecord {
    int fronts = 0;  // 1 small, 2 large
    int center = 0;  // 0 none, 1 small, 2 large
    int rears = 0;
    int surrounds = 0;
    int subwoofer = 0;  // 0 None .. 4 "2 Super"; with advanced settings 0 "1 Sub", 1 "2 Sub"
    int subCrossover = 0;
    int advanced = 0;
    int bypassLfe = 0;
    int centerCrossover = 0;
    int frontCrossover = 0;
    int rearCrossover = 0;
    int surroundCrossover = 0;
    int subPhase = 0;
    int subPolarity = 0;

    void loadFromStore(const SettingsStore& store, int mode);
    void saveToStore(SettingsStore& store, int mode) const;
    bool operator==(const SpeakerModeRecord&) const = default;
};

// The room resonance filter dialog.
struct RoomResonanceRecord {
    int toneLevel = 0;      // half-decibel positions
    int toneFrequency = 0;  // index i: 3 × i + 18 Hz
    int applyFilter = 0;
    int filterCenter = 0;  // p + 20 Hz
    int filterDepth = 0;   // index into 1 dB .. 20 dB
    int filterWidth = 0;   // p + 1 Hz
    int thxUltra2Sub = 0;
    int thxBgCompensation = 0;

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool operator==(const RoomResonanceRecord&) const = default;
};

// "2. Speaker Config" with its Cinema, Music and room resonance dialogs.
struct SpeakerConfigRecord {
    int centerEq = 0;
    int tvSize = 0;
    int rearType = 0;      // "1 Direct", "2 Direct", "1 Dipole", "2 Dipole"
    int surroundType = 0;  // "Direct", "Dipole"
    int bassPeak = 0;      // half-decibel positions
    SpeakerModeRecord cinema;
    SpeakerModeRecord music;
    int musicSameAsCinema = 0;
    RoomResonanceRecord room;

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const SpeakerConfigRecord& other) const { return *this == other; }
    void assign(const SpeakerConfigRecord& other) { *this = other; }
    bool operator==(const SpeakerConfigRecord&) const = default;
};

}  // namespace velmar
