#include "records/record_fields.h"

#include <array>
#include <string>

namespace velmar {

namespace {

using TimerZone = std::array<TimerEntry, 2>;

FieldValue value(long long v) { return integerValue(v); }
FieldValue value(const std::string& text) { return textValue(text); }
FieldValue value(const InputLevelsRecord& r);
FieldValue value(const DisplaysRecord& r);
FieldValue value(const ListenerRecord& r);
FieldValue value(const VolumesRecord& r);
FieldValue value(const SpeakerModeRecord& r);
FieldValue value(const RoomResonanceRecord& r);
FieldValue value(const SpeakerConfigRecord& r);
FieldValue value(const CalibrationRecord& r);
FieldValue value(const SourceEntry& r);
FieldValue value(const SetupPresetsRecord& r);
FieldValue value(const TriggerRecord& r);
FieldValue value(const TriggersRecord& r);
FieldValue value(const TimerTime& r);
FieldValue value(const TimerEntry& r);
FieldValue value(const TimerZone& r);
FieldValue value(const TimersRecord& r);
FieldValue value(const TunerRecord& r);
FieldValue value(const AudioOutRecord& r);

template <typename T, std::size_t N>
FieldValue listOf(const std::array<T, N>& items)
{
    std::vector<FieldValue> out;
    for (const auto& item : items)
        out.push_back(value(item));
    return listValue(std::move(out));
}
template <typename T, std::size_t N>
FieldValue value(const std::array<T, N>& items)
{
    return listOf(items);
}

template <auto Member>
FieldValue of(const typename MemberOf<decltype(Member)>::Type& owner)
{
    return value(owner.*Member);
}

// The code is what the unit keeps; a list position alone would hide modes the lists lack.
template <int Slot>
FieldValue presetCode(const SourceEntry& e)
{
    return value(e.presets.code(Slot));
}

template <int Slot>
FieldValue timeSlot(const TimerEntry& e)
{
    return value(e.times[Slot]);
}

constexpr FieldEntry<InputLevelsRecord> kInputLevels[] = {
    {nullptr, "level", of<&InputLevelsRecord::level>},
};

using D = DisplaysRecord;
constexpr FieldEntry<DisplaysRecord> kDisplays[] = {
    {nullptr, "mainOnScreen", of<&D::mainOnScreen>},
    {nullptr, "mainOsInfo", of<&D::mainOsInfo>},
    {nullptr, "mainOsPosition", of<&D::mainOsPosition>},
    {nullptr, "mainOsColor", of<&D::mainOsColor>},
    {nullptr, "zone2OnScreen", of<&D::zone2OnScreen>},
    {nullptr, "zone2OsInfo", of<&D::zone2OsInfo>},
    {nullptr, "zone2OsPosition", of<&D::zone2OsPosition>},
    {nullptr, "zone2OsColor", of<&D::zone2OsColor>},
    {nullptr, "wakeUp", of<&D::wakeUp>},
    {nullptr, "functionTimeout", of<&D::functionTimeout>},
    {nullptr, "brightLow", of<&D::brightLow>},
    {nullptr, "brightMedium", of<&D::brightMedium>},
    {nullptr, "brightHigh", of<&D::brightHigh>},
};

constexpr FieldEntry<ListenerRecord> kListener[] = {
    {nullptr, "metric", of<&ListenerRecord::metric>},
    {nullptr, "distance", of<&ListenerRecord::distance>},
    {nullptr, "rearSpacing", of<&ListenerRecord::rearSpacing>},
};

using V = VolumesRecord;
constexpr FieldEntry<VolumesRecord> kVolumes[] = {
    {nullptr, "muteLevel", of<&V::muteLevel>}, {nullptr, "hphoneMutesSpeakers", of<&V::hphoneMutesSpeakers>},
    {nullptr, "onVolume", of<&V::onVolume>},   {nullptr, "maxVolume", of<&V::maxVolume>},
    {nullptr, "zone2Name", of<&V::zone2Name>}, {nullptr, "zone3Name", of<&V::zone3Name>},
    {nullptr, "recName", of<&V::recName>},
};

using M = SpeakerModeRecord;
constexpr FieldEntry<SpeakerModeRecord> kSpeakerMode[] = {
    {nullptr, "fronts", of<&M::fronts>},
    {nullptr, "center", of<&M::center>},
    {nullptr, "rears", of<&M::rears>},
    {nullptr, "surrounds", of<&M::surrounds>},
    {nullptr, "subwoofer", of<&M::subwoofer>},
    {nullptr, "subCrossover", of<&M::subCrossover>},
    {nullptr, "advanced", of<&M::advanced>},
    {nullptr, "bypassLfe", of<&M::bypassLfe>},
    {nullptr, "centerCrossover", of<&M::centerCrossover>},
    {nullptr, "frontCrossover", of<&M::frontCrossover>},
    {nullptr, "rearCrossover", of<&M::rearCrossover>},
    {nullptr, "surroundCrossover", of<&M::surroundCrossover>},
    {nullptr, "subPhase", of<&M::subPhase>},
    {nullptr, "subPolarity", of<&M::subPolarity>},
};

using R = RoomResonanceRecord;
constexpr FieldEntry<RoomResonanceRecord> kRoom[] = {
    {nullptr, "toneLevel", of<&R::toneLevel>},       {nullptr, "toneFrequency", of<&R::toneFrequency>},
    {nullptr, "applyFilter", of<&R::applyFilter>},   {nullptr, "filterCenter", of<&R::filterCenter>},
    {nullptr, "filterDepth", of<&R::filterDepth>},   {nullptr, "filterWidth", of<&R::filterWidth>},
    {nullptr, "thxUltra2Sub", of<&R::thxUltra2Sub>}, {nullptr, "thxBgCompensation", of<&R::thxBgCompensation>},
};

using C = SpeakerConfigRecord;
constexpr FieldEntry<SpeakerConfigRecord> kSpeakerConfig[] = {
    {nullptr, "centerEq", of<&C::centerEq>}, {nullptr, "tvSize", of<&C::tvSize>},
    {nullptr, "rearType", of<&C::rearType>}, {nullptr, "surroundType", of<&C::surroundType>},
    {nullptr, "bassPeak", of<&C::bassPeak>}, {nullptr, "cinema", of<&C::cinema>},
    {nullptr, "music", of<&C::music>},       {nullptr, "musicSameAsCinema", of<&C::musicSameAsCinema>},
    {nullptr, "room", of<&C::room>},
};

constexpr FieldEntry<CalibrationRecord> kCalibration[] = {
    {nullptr, "noiseReferenceLevel", of<&CalibrationRecord::noiseReferenceLevel>},
    {nullptr, "channelLevel", of<&CalibrationRecord::channelLevel>},
};

using E = SourceEntry;
constexpr FieldEntry<SourceEntry> kSourceEntry[] = {
    {nullptr, "twoCh", presetCode<kTwoChSlot>},
    {nullptr, "dd20", presetCode<kDd20Slot>},
    {nullptr, "dd51", presetCode<kDd51Slot>},
    {nullptr, "ddEx", presetCode<kDdExSlot>},
    {nullptr, "dts51", presetCode<kDts51Slot>},
    {nullptr, "dtsEs", presetCode<kDtsEsSlot>},
    {nullptr, "name", of<&E::name>},
    {nullptr, "audioIn", of<&E::audioIn>},
    {nullptr, "digitalIn", of<&E::digitalIn>},
    {nullptr, "muting", of<&E::muting>},
    {nullptr, "eqLow", of<&E::eqLow>},
    {nullptr, "eqHigh", of<&E::eqHigh>},
    {nullptr, "amEqLow", of<&E::amEqLow>},
    {nullptr, "amEqHigh", of<&E::amEqHigh>},
    {nullptr, "sVideo", of<&E::sVideo>},
    {nullptr, "compositeVideo", of<&E::compositeVideo>},
    {nullptr, "speakerConfig", of<&E::speakerConfig>},
    {nullptr, "componentVideo", of<&E::componentVideo>},
    {nullptr, "lipSync", of<&E::lipSync>},
};

constexpr FieldEntry<SetupPresetsRecord> kSetupPresets[] = {
    {nullptr, "copyZone2", of<&SetupPresetsRecord::copyZone2>},
    {nullptr, "copyZone3", of<&SetupPresetsRecord::copyZone3>},
    {nullptr, "copyRec", of<&SetupPresetsRecord::copyRec>},
    {nullptr, "entry", of<&SetupPresetsRecord::entry>},
};

// A trigger's number is its place in the list.
constexpr FieldEntry<TriggerRecord> kTrigger[] = {
    {nullptr, "flag", of<&TriggerRecord::flag>},
};

using T = TriggersRecord;
constexpr FieldEntry<TriggersRecord> kTriggers[] = {
    {nullptr, "baudRate", of<&T::baudRate>},
    {nullptr, "flowControl", of<&T::flowControl>},
    {nullptr, "allTriggers", of<&T::allTriggers>},
    {nullptr, "txStatus", of<&T::txStatus>},
    {nullptr, "irInputs", [](const TriggersRecord& t) { return value(t.irInputs.flag); }},
    {nullptr, "trigger", of<&T::trigger>},
};

constexpr FieldEntry<TimerTime> kTimerTime[] = {
    {nullptr, "hour", of<&TimerTime::hour>},
    {nullptr, "minute", of<&TimerTime::minute>},
    {nullptr, "pm", of<&TimerTime::pm>},
};

constexpr FieldEntry<TimerEntry> kTimerEntry[] = {
    {nullptr, "weekdayOn", timeSlot<kWeekdayOn>}, {nullptr, "weekdayOff", timeSlot<kWeekdayOff>},
    {nullptr, "weekendOn", timeSlot<kWeekendOn>}, {nullptr, "weekendOff", timeSlot<kWeekendOff>},
    {nullptr, "volume", of<&TimerEntry::volume>}, {nullptr, "days", of<&TimerEntry::days>},
    {nullptr, "source", of<&TimerEntry::source>}, {nullptr, "station", of<&TimerEntry::station>},
};

// A zone's two timers: "entry[zone].timer[n]".
constexpr FieldEntry<TimerZone> kTimerZone[] = {
    {nullptr, "timer", [](const TimerZone& zone) { return listOf(zone); }},
};

constexpr FieldEntry<TimersRecord> kTimers[] = {
    {nullptr, "clock24", of<&TimersRecord::clock24>},
    {nullptr, "timersEnabled", of<&TimersRecord::timersEnabled>},
    {nullptr, "entry", of<&TimersRecord::entry>},
};

constexpr FieldEntry<TunerRecord> kTuner[] = {
    {nullptr, "freq", of<&TunerRecord::freq>},
    {nullptr, "mode", of<&TunerRecord::mode>},
};

using A = AudioOutRecord;
constexpr FieldEntry<AudioOutRecord> kAudioOut[] = {
    {nullptr, "reverseSurRear", of<&A::reverseSurRear>},
    {nullptr, "copySurToRear", of<&A::copySurToRear>},
    {nullptr, "fs6ch", of<&A::fs6ch>},
    {nullptr, "fs2ch", of<&A::fs2ch>},
    {nullptr, "dig1Is16Bit", of<&A::dig1Is16Bit>},
    {nullptr, "digital2", of<&A::digital2>},
    {nullptr, "balOutZone2", of<&A::balOutZone2>},
};

FieldValue value(const InputLevelsRecord& r) { return recordValue(kInputLevels, r); }
FieldValue value(const DisplaysRecord& r) { return recordValue(kDisplays, r); }
FieldValue value(const ListenerRecord& r) { return recordValue(kListener, r); }
FieldValue value(const VolumesRecord& r) { return recordValue(kVolumes, r); }
FieldValue value(const SpeakerModeRecord& r) { return recordValue(kSpeakerMode, r); }
FieldValue value(const RoomResonanceRecord& r) { return recordValue(kRoom, r); }
FieldValue value(const SpeakerConfigRecord& r) { return recordValue(kSpeakerConfig, r); }
FieldValue value(const CalibrationRecord& r) { return recordValue(kCalibration, r); }
FieldValue value(const SourceEntry& r) { return recordValue(kSourceEntry, r); }
FieldValue value(const SetupPresetsRecord& r) { return recordValue(kSetupPresets, r); }
FieldValue value(const TriggerRecord& r) { return recordValue(kTrigger, r); }
FieldValue value(const TriggersRecord& r) { return recordValue(kTriggers, r); }
FieldValue value(const TimerTime& r) { return recordValue(kTimerTime, r); }
FieldValue value(const TimerEntry& r) { return recordValue(kTimerEntry, r); }
FieldValue value(const TimerZone& r) { return recordValue(kTimerZone, r); }
FieldValue value(const TimersRecord& r) { return recordValue(kTimers, r); }
FieldValue value(const TunerRecord& r) { return recordValue(kTuner, r); }
FieldValue value(const AudioOutRecord& r) { return recordValue(kAudioOut, r); }

using Set = SettingsRecordSet;
constexpr FieldEntry<SettingsRecordSet> kRecordSet[] = {
    {"Input levels", "inputLevels", of<&Set::inputLevels>},
    {"Displays", "displays", of<&Set::displays>},
    {"Listener position", "listener", of<&Set::listener>},
    {"Volumes and names", "volumes", of<&Set::volumes>},
    {"Speaker configuration", "speakerConfig", of<&Set::speakerConfig>},
    {"Speaker levels", "calibration", of<&Set::calibration>},
    {"Source setup and presets", "setupPresets", of<&Set::setupPresets>},
    {"Triggers, IR and RS-232", "triggers", of<&Set::triggers>},
    {"Timers", "timers", of<&Set::timers>},
    {"Tuner presets", "tuner", of<&Set::tuner>},
    {"Audio out", "audioOut", of<&Set::audioOut>},
};

}  // namespace

std::vector<Field> listRecordFields(const SettingsRecordSet& set) { return listEntries(kRecordSet, set); }

FieldList listFields(const SettingsRecordSet& set) { return flattenFields("", listRecordFields(set)); }

}  // namespace velmar
