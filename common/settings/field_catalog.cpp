#include "field_catalog.h"

#include <cstring>

namespace velmar {

namespace {

FieldValue integer(long long v) {
    FieldValue f;
    f.integer = v;
    return f;
}

FieldValue text(const char* data, std::size_t capacity) {
    FieldValue f;
    f.kind = FieldValue::Kind::Text;
    f.text.assign(data, strnlen(data, capacity));
    return f;
}

FieldValue list(std::vector<FieldValue> items) {
    FieldValue f;
    f.kind = FieldValue::Kind::List;
    f.items = std::move(items);
    return f;
}

FieldValue value(long long v) { return integer(v); }
FieldValue value(const BoundedValue& b) { return integer(b.value); }
template <std::size_t N>
FieldValue value(const std::array<char, N>& s) { return text(s.data(), N); }
FieldValue value(const ModeRecord& r);
template <typename T, std::size_t N>
FieldValue value(const std::array<T, N>& items) {
    std::vector<FieldValue> out;
    for (const auto& item : items) out.push_back(value(item));
    return list(std::move(out));
}

FieldValue value(const ModeRecord& r) { return list({value(r.head), value(r.body)}); }

// One entry per zone, taken from each zone's record.
template <typename Record, std::size_t N, typename Get>
FieldValue perZone(const std::array<Record, N>& records, Get get) {
    std::vector<FieldValue> out;
    for (const auto& r : records) out.push_back(value(get(r)));
    return list(std::move(out));
}

}  // namespace

std::vector<Field> listSetFields(const SetFields& s) {
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
    const auto& v = s.zoneVolume;
    const auto& t = s.timer;
    return {
        {kNames, "sourceName", value(s.sourceName)},
        {kNames, "zoneName", value(s.zoneName)},
        {kInputs, "sourceInput", value(s.sourceInput)},
        {kInputs, "inputLevel", value(s.inputLevel)},
        {kInputs, "eqLow", value(s.eqLow)},
        {kInputs, "eqHigh", value(s.eqHigh)},
        {kInputs, "sourceDelay", value(s.sourceDelay)},
        {kAudioOut, "audioOutFlags", value(s.audioOutFlags)},
        {kAudioOut, "audioOutFormat", value(s.audioOutFormat)},
        {kSpeakers, "crossover", value(s.crossover)},
        {kSpeakers, "speakerConfig", value(s.speakerConfig)},
        {kSpeakers, "speakerLevel", value(s.speakerLevel)},
        {kSpeakers, "bassManagement", value(s.bassManagement)},
        {kSpeakers, "speakerOptions", value(s.speakerOptions)},
        {kSpeakers, "noiseReferenceLevel", value(s.noiseReferenceLevel)},
        {kDistances, "distanceFlags", value(s.distanceFlags)},
        {kDistances, "speakerDistance", value(s.speakerDistance)},
        {kVolumes, "onVolume", perZone(v, [](const ZoneVolume& z) { return z.onVolume; })},
        {kVolumes, "maxVolume", perZone(v, [](const ZoneVolume& z) { return z.maxVolume; })},
        {kVolumes, "volumeFloor", perZone(v, [](const ZoneVolume& z) { return z.volumeFloor; })},
        {kVolumes, "muteLevel", value(s.muteLevel)},
        {kTimers, "timerModes", perZone(t, [](const TimerRecord& r) { return r.timerModes; })},
        {kTimers, "timerTimes", perZone(t, [](const TimerRecord& r) { return r.timerTimes; })},
        {kTimers, "timerSource", perZone(t, [](const TimerRecord& r) { return r.timerSource; })},
        {kTimers, "timerStation", perZone(t, [](const TimerRecord& r) { return r.timerStation; })},
        {kTimers, "timerVolume", perZone(t, [](const TimerRecord& r) { return r.timerVolume; })},
        {kTriggers, "rs232Options", value(s.rs232Options)},
        {kTriggers, "irInputs", value(s.irInputs)},
        {kTriggers, "triggerMask", value(s.triggerMask)},
        {kDisplays, "displayOptions", value(s.displayOptions)},
        {kDisplays, "displayTail", value(s.displayTail)},
        {kRoom, "roomTestToneFreq", value(s.roomTestToneFreq)},
        {kRoom, "roomTestToneLevel", value(s.roomTestToneLevel)},
        {kRoom, "roomFilterCenter", value(s.roomFilterCenter)},
        {kRoom, "roomFilterDepth", value(s.roomFilterDepth)},
        {kRoom, "roomFilterWidth", value(s.roomFilterWidth)},
        {kTuner, "presetOffset", value(s.presetOffset)},
        {kTuner, "presetMode", value(s.presetMode)},
        {kSources, "sourceRecord", value(s.sourceRecord)},
    };
}

std::vector<Field> listUnitFields(const UnitFields& u) {
    constexpr const char* kCodes = "System codes and identification";
    constexpr const char* kState = "Unit state";
    constexpr const char* kTuner = "Tuner";
    constexpr const char* kModes = "Mode table";
    return {
        {kCodes, "systemCodeFlags", value(u.systemCodeFlags)},
        {kCodes, "systemCodeA", value(u.systemCodeA)},
        {kCodes, "systemCodeB", value(u.systemCodeB)},
        {kCodes, "identString", value(u.identString)},
        {kState, "unitValue", value(u.unitValue)},
        {kState, "unitSelect", value(u.unitSelect)},
        {kState, "stateNibbleA", value(u.stateNibbleA)},
        {kState, "stateNibbleB", value(u.stateNibbleB)},
        {kTuner, "tunerBand", value(u.tunerBand)},
        {kTuner, "tunerFrequency", value(u.tunerFrequency)},
        {kTuner, "tunerFlags", value(u.tunerFlags)},
        {kTuner, "tunerByte", value(u.tunerByte)},
        {kTuner, "tunerModes", value(u.tunerModes)},
        {kModes, "modeLevels", value(u.modeLevels)},
        {kModes, "modeRecords", value(u.modeRecords)},
        {kModes, "modeTrims", value(u.modeTrims)},
    };
}

std::string formatFieldValue(const FieldValue& v) {
    switch (v.kind) {
    case FieldValue::Kind::Integer:
        return std::to_string(v.integer);
    case FieldValue::Kind::Text:
        return '"' + v.text + '"';
    case FieldValue::Kind::List:
        break;
    }
    std::string out = "[";
    for (std::size_t i = 0; i < v.items.size(); ++i) {
        if (i) out += ", ";
        out += formatFieldValue(v.items[i]);
    }
    return out + "]";
}

}  // namespace velmar
