#include "pages/zones/tuner_rules.h"

#include <iterator>

#include "pages/zones/zone_texts.h"

namespace velmar::editor {

namespace {

constexpr double kMegahertzPerTenth = 0.1;

// The name of a preset's reception mode; the field's fourth value names none.
const char* modeShortName(int mode)
{
    return mode >= 0 && mode < static_cast<int>(std::size(texts::kModeShortNames)) ? texts::kModeShortNames[mode] : "";
}

}  // namespace

bool isStation(int station) { return station >= 0 && station < kPresetCount; }

PresetChoice presetOfStation(int station)
{
    if (!isStation(station))
        return {};
    return {station / kPresetsPerBank, station % kPresetsPerBank};
}

PairRange bandRange(int bank)
{
    if (bank == kAmBank)
        return {1.0, 530.0, 1710.0};
    return {10.0, 87.5, 107.9};
}

QString stationText(const TunerRecord& tuner, int station)
{
    if (!isStation(station))
        return QString::fromLatin1(texts::kNoStation);
    const PresetChoice choice = presetOfStation(station);
    const char* bank = texts::kBankNames[choice.bank];
    if (choice.bank == kAmBank)
        return QString::asprintf(texts::kAmStationFormat, bank, choice.preset + 1, tuner.freq[station]);
    return QString::asprintf(texts::kFmStationFormat, bank, choice.preset + 1, modeShortName(tuner.mode[station]),
                             tuner.freq[station] * kMegahertzPerTenth);
}

}  // namespace velmar::editor
