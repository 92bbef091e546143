#pragma once

#include "settings_store.h"

namespace velmar {

// "7. A-D/Audio-Out Format".
struct AudioOutRecord {
    int reverseSurRear = 0;
    int copySurToRear = 0;
    int fs6ch = 0;
    int fs2ch = 0;
    int dig1Is16Bit = 0;
    int digital2 = 0;  // list position: "Digital 1", then DVD, CD, TAPE, TV, SAT, VCR, AUX
    int balOutZone2 = 0;
    // The "Digital 2" code as loaded. A code above the list's last (no item, position -1)
    // goes back into the store unchanged unless a position was chosen.
    int digital2Code = 0;

    void loadFromStore(const SettingsStore& store);
    // A "Digital 2" source whose stored audio input is analog falls back to "Digital 1",
    // in this record as well as in the store; a code without an item is kept as it was.
    void saveToStore(SettingsStore& store);
    bool equals(const AudioOutRecord& other) const { return *this == other; }
    void assign(const AudioOutRecord& other) { *this = other; }
    bool operator==(const AudioOutRecord&) const = default;
};

}  // namespace velmar
