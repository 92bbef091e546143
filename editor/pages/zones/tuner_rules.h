#pragma once

#include <QString>

#include "pages/pair_range.h"
#include "records/tuner_record.h"

// The tuner presets as the pages choose and show them: bank × 6 + preset, bank 0 AM in kHz,
// banks 1..3 FM in tenths of a MHz.
namespace velmar::editor {

inline constexpr int kBankCount = 4;
inline constexpr int kPresetsPerBank = 6;
inline constexpr int kAmBank = 0;

struct PresetChoice {
    int bank = 1;  // the Tuner page starts on "FM 1", preset "1"
    int preset = 0;
    bool operator==(const PresetChoice&) const = default;
};

inline int presetIndex(const PresetChoice& choice) { return choice.bank * kPresetsPerBank + choice.preset; }

// A timer's station names a preset only from 0 to 23, though its field holds up to 31.
bool isStation(int station);
// The preset a station names; a station that names none opens on the Tuner page's start.
PresetChoice presetOfStation(int station);

// AM: whole kHz from 530 to 1710; FM: 0.1 MHz steps from 87.5 to 107.9 MHz.
PairRange bandRange(int bank);

// The Station button's caption: "AM1-2  1000 KHz", "FM2-2 St  101.1 MHz"; "error" for a
// station that names no preset.
QString stationText(const TunerRecord& tuner, int station);

}  // namespace velmar::editor
