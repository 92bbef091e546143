#pragma once

// The settings in the unit's own compact form: the bytes and bit fields as the unit keeps
// them. SettingsStore wraps these with readers and writers that apply the unit's rules; the
// codec and the dump tool read and write them raw.

#include <array>
#include <cstdint>

#include "bounded_value.h"

namespace velmar {

inline constexpr int kSourceCount = 10;
inline constexpr int kEqCount = 11;  // ten sources plus the AM equaliser
inline constexpr int kSpeakerGroupCount = 5;
inline constexpr int kSpeakerModeCount = 2;  // 0 Music, 1 Cinema
inline constexpr int kSpeakerLevelCount = 10;
inline constexpr int kDistanceCount = 8;
inline constexpr int kVolumeZoneCount = 4;  // Main, Zone 2, Zone 3, HPhone
inline constexpr int kTimerZoneCount = 3;   // Main, Zone 2, Zone 3
inline constexpr int kNameSlotCount = 5;    // MAIN, ZONE2, ZONE3, HPHONE, RECORD
inline constexpr int kNameSize = 7;         // six characters and a terminating 0
inline constexpr int kPresetCount = 24;     // AM bank 0-5, FM banks 6-23
inline constexpr int kTunerBankCount = 4;
inline constexpr int kSourceRecordSize = 13;
inline constexpr int kLegacySourceRecordSize = 8;
inline constexpr int kIrInputCount = 4;
inline constexpr int kTriggerCount = 3;
inline constexpr int kTriggerColumnCount = 4;
inline constexpr int kDisplayOptionCount = 7;
inline constexpr int kDisplayTailCount = 3;

using Name = std::array<char, kNameSize>;
using SourceRecord = std::array<std::uint8_t, kSourceRecordSize>;
using LegacySourceRecord = std::array<std::uint8_t, kLegacySourceRecordSize>;

struct ZoneVolume {
    std::int16_t onVolume = 0;
    std::int16_t level1 = 0;  // the two further levels, limited by maxVolume
    std::int16_t level2 = 0;
    std::int16_t maxVolume = 0;
    std::int16_t volumeFloor = 0;
    std::int16_t pageWord1 = 0;  // kept for the volume page only
    std::int16_t pageWord2 = 0;

    bool operator==(const ZoneVolume&) const = default;
};

struct TimerRecord {
    std::uint8_t timerModes = 0;
    std::array<std::uint16_t, 8> timerTimes{};
    std::array<std::uint8_t, 2> timerSource{};
    std::array<std::uint8_t, 2> timerStation{};
    std::array<std::uint8_t, 2> timerVolume{};

    bool operator==(const TimerRecord&) const = default;
};

// One settings set (Current, User or Installer).
struct SetFields {
    std::array<Name, kSourceCount> sourceName{};
    std::array<Name, kNameSlotCount> zoneName{};

    std::array<std::uint8_t, kSourceCount> sourceInput{};
    std::array<std::int8_t, kSourceCount> inputLevel{};
    std::array<std::int8_t, kEqCount> eqLow{};
    std::array<std::int8_t, kEqCount> eqHigh{};
    std::array<std::uint16_t, kSourceCount> sourceDelay{};
    std::uint8_t audioOutFlags = 0;
    std::uint8_t audioOutFormat = 0;

    std::array<std::array<std::uint8_t, kSpeakerGroupCount>, kSpeakerModeCount> crossover{};
    std::array<std::uint8_t, kSpeakerGroupCount> speakerConfig{};
    std::array<std::int8_t, kSpeakerLevelCount> speakerLevel{};
    std::array<std::uint8_t, kSpeakerModeCount> bassManagement{};
    std::uint8_t speakerOptions = 0;
    std::int8_t noiseReferenceLevel = 0;

    std::uint8_t distanceFlags = 0;
    std::array<std::uint16_t, kDistanceCount> speakerDistance{};

    std::array<ZoneVolume, kVolumeZoneCount> zoneVolume{};
    std::uint8_t muteLevel = 0;

    std::array<TimerRecord, kTimerZoneCount> timer{};

    std::uint8_t rs232Options = 0;
    std::array<std::uint8_t, kIrInputCount> irInputs{};
    std::array<std::array<std::uint16_t, kTriggerColumnCount>, kTriggerCount> triggerMask{};

    std::array<std::uint8_t, kDisplayOptionCount> displayOptions{};
    std::array<std::uint8_t, kDisplayTailCount> displayTail{};

    std::uint8_t roomTestToneFreq = 0;
    std::int8_t roomTestToneLevel = 0;
    std::uint8_t roomFilterCenter = 0;
    std::uint8_t roomFilterDepth = 0;
    std::uint8_t roomFilterWidth = 0;

    std::array<std::uint8_t, kPresetCount> presetOffset{};
    std::array<std::uint8_t, kPresetCount> presetMode{};

    std::array<SourceRecord, kSourceCount> sourceRecord{};
    // Only used while an image in the older layout is converted.
    std::array<LegacySourceRecord, kSourceCount> legacySourceRecord{};

    bool operator==(const SetFields&) const = default;
};

struct ModeRecord {
    BoundedValue header;
    std::array<std::int8_t, 6> head{};
    std::array<std::int8_t, 14> body{};

    bool operator==(const ModeRecord&) const = default;
};

// Fields that belong to the unit rather than to one settings set.
struct UnitFields {
    std::uint8_t systemCodeFlags = 0;
    std::array<char, 5> systemCodeA{};
    std::array<char, 5> systemCodeB{};
    std::array<char, 9> identString{};
    std::uint32_t unitValue = 0;
    std::uint8_t unitSelect = 0;
    std::array<std::uint8_t, 5> stateNibbleA{};
    std::array<std::uint8_t, 5> stateNibbleB{};
    std::uint8_t tunerBand = 0;
    std::array<BoundedValue, kTunerBankCount> tunerFrequency{};
    std::uint8_t tunerFlags = 0;
    std::uint8_t tunerByte = 0;
    std::array<std::uint8_t, kTunerBankCount> tunerModes{};
    std::array<BoundedValue, 14> modeLevels{};
    std::array<ModeRecord, 6> modeRecords{};
    std::array<BoundedValue, 9> modeTrims{};

    bool operator==(const UnitFields&) const = default;
};

}  // namespace velmar
