// Readers and writers of the tuner presets and the per-source records.
#include <algorithm>

#include "bits.h"
#include "settings_store.h"

namespace velmar {

namespace {

constexpr int kAmBase = 53;   // 530 kHz in 10 kHz units
constexpr int kFmBase = 875;  // 87.5 MHz in 100 kHz units
constexpr int kPresetsPerBank = 6;

// Video input code → position in the page's list "CD", "TAPE", "DVD", "TV", "SAT", "VCR", "AUX", "None".
// Any other code (the 2-CH and 6-CH sources have no video input) shows as "None".
constexpr int kVideoListPosition[8] = {2, 0, 1, 7, 3, 4, 5, 6};
constexpr int kVideoNonePosition = 7;

int presetBase(int preset) { return preset < kPresetsPerBank ? kAmBase : kFmBase; }

}  // namespace

int SettingsStore::presetBank(int preset) { return preset / kPresetsPerBank; }

int SettingsStore::presetFrequency(int preset) const { return set_.presetOffset[preset] + presetBase(preset); }

void SettingsStore::setPresetFrequency(int preset, int frequency)
{
    const int limited = unit_.tunerFrequency[presetBank(preset)].clamped(frequency);
    set_.presetOffset[preset] = static_cast<std::uint8_t>((limited - presetBase(preset)) & 0xFF);
}

void SettingsStore::restorePresetsFromFrequencies()
{
    for (int k = 0; k < kPresetCount; ++k)
        setPresetFrequency(k, presetFrequency(k));
}

int SettingsStore::presetMode(int preset) const { return bits::get(set_.presetMode[preset], 0, 2); }
void SettingsStore::setPresetMode(int preset, int mode) { bits::put(set_.presetMode[preset], 0, 2, mode); }

int SettingsStore::sourceRecordBits(int source, int byte, int shift, int width) const
{
    return bits::get(set_.sourceRecord[source][byte], shift, width);
}

void SettingsStore::setSourceRecordBits(int source, int byte, int shift, int width, int value)
{
    // Two unit values have codes the unit does not accept; they are folded onto neighbours.
    if (byte == 4 && shift == 0 && width == 4 && (value == 5 || value == 6))
        value = 4;
    if (byte == 5 && shift == 4 && width == 4 && (value == 4 || value == 6))
        value = 5;
    bits::put(set_.sourceRecord[source][byte], shift, width, value);
}

int SettingsStore::componentVideo(int source) const
{
    int input = sourceRecordBits(source, 1, 6, 2);
    if (holdsComponentBit2() && sourceRecordBits(source, 0, 6, 1))
        input += 4;
    return input;
}

void SettingsStore::setComponentVideo(int source, int input)
{
    setSourceRecordBits(source, 1, 6, 2, input & 3);
    if (holdsComponentBit2())
        setSourceRecordBits(source, 0, 6, 1, (input >> 2) & 1);
}

int SettingsStore::sourceSpeakerConfig(int source) const { return sourceRecordBits(source, 2, 0, 2); }
void SettingsStore::setSourceSpeakerConfig(int source, int config) { setSourceRecordBits(source, 2, 0, 2, config); }

int SettingsStore::modePreset(int source, int signal) const { return sourceRecordBits(source, 6 + signal, 0, 5); }
void SettingsStore::setModePreset(int source, int signal, int mode)
{
    setSourceRecordBits(source, 6 + signal, 0, 5, mode);
}

int SettingsStore::compositeVideo(int source) const { return sourceRecordBits(source, 12, 0, 3); }
void SettingsStore::setCompositeVideo(int source, int code) { setSourceRecordBits(source, 12, 0, 3, code); }
int SettingsStore::sVideo(int source) const { return sourceRecordBits(source, 12, 3, 3); }
void SettingsStore::setSVideo(int source, int code) { setSourceRecordBits(source, 12, 3, 3, code); }

int SettingsStore::videoListPosition(int code)
{
    return code >= 0 && code < 8 ? kVideoListPosition[code] : kVideoNonePosition;
}

int SettingsStore::videoCodeAt(int listPosition)
{
    const auto* found = std::find(std::begin(kVideoListPosition), std::end(kVideoListPosition), listPosition);
    return found == std::end(kVideoListPosition) ? 3 : static_cast<int>(found - std::begin(kVideoListPosition));
}

}  // namespace velmar
