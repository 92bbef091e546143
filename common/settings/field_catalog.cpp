#include "field_catalog.h"

#include <cstring>

namespace velmar {

namespace {

FieldValue value(long long v) { return integerValue(v); }
FieldValue value(const BoundedValue& b) { return integerValue(b.value); }
template <std::size_t N>
FieldValue value(const std::array<char, N>& s)
{
    return textValue(std::string(s.data(), strnlen(s.data(), N)));
}
FieldValue value(const ModeRecord& r);
template <typename T, std::size_t N>
FieldValue value(const std::array<T, N>& items)
{
    std::vector<FieldValue> out;
    for (const auto& item : items)
        out.push_back(value(item));
    return listValue(std::move(out));
}

FieldValue value(const ModeRecord& r) { return listValue({value(r.head), value(r.body)}); }

template <auto Member>
FieldValue of(const typename MemberOf<decltype(Member)>::Type& owner)
{
    return value(owner.*Member);
}

// One entry per zone, taken from each zone's record.
template <auto Records, auto Member>
FieldValue perZone(const SetFields& s)
{
    std::vector<FieldValue> out;
    for (const auto& record : s.*Records)
        out.push_back(value(record.*Member));
    return listValue(std::move(out));
}

constexpr const char* kNames = "Names";
constexpr const char* kInputs = "Source inputs";
constexpr const char* kAudioOut = "Audio out";
constexpr const char* kSpeakers = "Speakers";
constexpr const char* kDistances = "Listener distances";
constexpr const char* kVolumes = "Volumes";
constexpr const char* kTimers = "Timers";
constexpr const char* kTriggers = "Triggers, IR and RS-232";
constexpr const char* kDisplays = "Displays";
constexpr const char* kRoom = "Room resonance filter";
constexpr const char* kTuner = "Tuner presets";
constexpr const char* kSources = "Source records";

using S = SetFields;
constexpr auto kZones = &SetFields::zoneVolume;
constexpr auto kTimerZones = &SetFields::timer;

// The fields that are not in the image (the further zone levels, the volume page's words and
// the older layout's source records) stay out: a file cannot show them.
constexpr FieldEntry<SetFields> kSetFields[] = {
    {kNames, "sourceName", of<&S::sourceName>},
    {kNames, "zoneName", of<&S::zoneName>},
    {kInputs, "sourceInput", of<&S::sourceInput>},
    {kInputs, "inputLevel", of<&S::inputLevel>},
    {kInputs, "eqLow", of<&S::eqLow>},
    {kInputs, "eqHigh", of<&S::eqHigh>},
    {kInputs, "sourceDelay", of<&S::sourceDelay>},
    {kAudioOut, "audioOutFlags", of<&S::audioOutFlags>},
    {kAudioOut, "audioOutFormat", of<&S::audioOutFormat>},
    {kSpeakers, "crossover", of<&S::crossover>},
    {kSpeakers, "speakerConfig", of<&S::speakerConfig>},
    {kSpeakers, "speakerLevel", of<&S::speakerLevel>},
    {kSpeakers, "bassManagement", of<&S::bassManagement>},
    {kSpeakers, "speakerOptions", of<&S::speakerOptions>},
    {kSpeakers, "noiseReferenceLevel", of<&S::noiseReferenceLevel>},
    {kDistances, "distanceFlags", of<&S::distanceFlags>},
    {kDistances, "speakerDistance", of<&S::speakerDistance>},
    {kVolumes, "onVolume", perZone<kZones, &ZoneVolume::onVolume>},
    {kVolumes, "maxVolume", perZone<kZones, &ZoneVolume::maxVolume>},
    {kVolumes, "volumeFloor", perZone<kZones, &ZoneVolume::volumeFloor>},
    {kVolumes, "muteLevel", of<&S::muteLevel>},
    {kTimers, "timerModes", perZone<kTimerZones, &TimerRecord::timerModes>},
    {kTimers, "timerTimes", perZone<kTimerZones, &TimerRecord::timerTimes>},
    {kTimers, "timerSource", perZone<kTimerZones, &TimerRecord::timerSource>},
    {kTimers, "timerStation", perZone<kTimerZones, &TimerRecord::timerStation>},
    {kTimers, "timerVolume", perZone<kTimerZones, &TimerRecord::timerVolume>},
    {kTriggers, "rs232Options", of<&S::rs232Options>},
    {kTriggers, "irInputs", of<&S::irInputs>},
    {kTriggers, "triggerMask", of<&S::triggerMask>},
    {kDisplays, "displayOptions", of<&S::displayOptions>},
    {kDisplays, "displayTail", of<&S::displayTail>},
    {kRoom, "roomTestToneFreq", of<&S::roomTestToneFreq>},
    {kRoom, "roomTestToneLevel", of<&S::roomTestToneLevel>},
    {kRoom, "roomFilterCenter", of<&S::roomFilterCenter>},
    {kRoom, "roomFilterDepth", of<&S::roomFilterDepth>},
    {kRoom, "roomFilterWidth", of<&S::roomFilterWidth>},
    {kTuner, "presetOffset", of<&S::presetOffset>},
    {kTuner, "presetMode", of<&S::presetMode>},
    {kSources, "sourceRecord", of<&S::sourceRecord>},
};

constexpr const char* kCodes = "System codes and identification";
constexpr const char* kState = "Unit state";
constexpr const char* kTunerState = "Tuner";
constexpr const char* kModes = "Mode table";

using U = UnitFields;

constexpr FieldEntry<UnitFields> kUnitFields[] = {
    {kCodes, "systemCodeFlags", of<&U::systemCodeFlags>},
    {kCodes, "systemCodeA", of<&U::systemCodeA>},
    {kCodes, "systemCodeB", of<&U::systemCodeB>},
    {kCodes, "identString", of<&U::identString>},
    {kState, "unitValue", of<&U::unitValue>},
    {kState, "unitSelect", of<&U::unitSelect>},
    {kState, "stateNibbleA", of<&U::stateNibbleA>},
    {kState, "stateNibbleB", of<&U::stateNibbleB>},
    {kTunerState, "tunerBand", of<&U::tunerBand>},
    {kTunerState, "tunerFrequency", of<&U::tunerFrequency>},
    {kTunerState, "tunerFlags", of<&U::tunerFlags>},
    {kTunerState, "tunerByte", of<&U::tunerByte>},
    {kTunerState, "tunerModes", of<&U::tunerModes>},
    {kModes, "modeLevels", of<&U::modeLevels>},
    {kModes, "modeRecords", of<&U::modeRecords>},
    {kModes, "modeTrims", of<&U::modeTrims>},
};

}  // namespace

std::vector<Field> listSetFields(const SetFields& set) { return listEntries(kSetFields, set); }

std::vector<Field> listUnitFields(const UnitFields& unit) { return listEntries(kUnitFields, unit); }

}  // namespace velmar
