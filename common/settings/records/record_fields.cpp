#include "records/record_fields.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace velmar {

namespace {

// Appends named values under a dotted prefix.
class Lister {
public:
    Lister(FieldList& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}

    Lister scope(std::string_view name) const { return Lister(out_, prefix_ + std::string(name) + "."); }
    Lister scope(std::string_view name, int index) const { return scope(indexed(name, index)); }

    void add(std::string_view name, long long value) const { out_.push_back({prefix_ + std::string(name), std::to_string(value)}); }
    void add(std::string_view name, const std::string& text) const {
        out_.push_back({prefix_ + std::string(name), "\"" + text + "\""});
    }
    template <typename T, std::size_t N>
    void add(std::string_view name, const std::array<T, N>& values) const {
        for (std::size_t i = 0; i < N; ++i) add(indexed(name, static_cast<int>(i)), static_cast<long long>(values[i]));
    }

private:
    static std::string indexed(std::string_view name, int index) {
        return std::string(name) + "[" + std::to_string(index) + "]";
    }

    FieldList& out_;
    std::string prefix_;
};


void listMode(const Lister& l, const SpeakerModeRecord& m) {
    l.add("fronts", m.fronts);
    l.add("center", m.center);
    l.add("rears", m.rears);
    l.add("surrounds", m.surrounds);
    l.add("subwoofer", m.subwoofer);
    l.add("subCrossover", m.subCrossover);
    l.add("advanced", m.advanced);
    l.add("bypassLfe", m.bypassLfe);
    l.add("centerCrossover", m.centerCrossover);
    l.add("frontCrossover", m.frontCrossover);
    l.add("rearCrossover", m.rearCrossover);
    l.add("surroundCrossover", m.surroundCrossover);
    l.add("subPhase", m.subPhase);
    l.add("subPolarity", m.subPolarity);
}

void listSpeakers(const Lister& l, const SpeakerConfigRecord& s) {
    l.add("centerEq", s.centerEq);
    l.add("tvSize", s.tvSize);
    l.add("rearType", s.rearType);
    l.add("surroundType", s.surroundType);
    l.add("bassPeak", s.bassPeak);
    listMode(l.scope("cinema"), s.cinema);
    listMode(l.scope("music"), s.music);
    l.add("musicSameAsCinema", s.musicSameAsCinema);
    const auto room = l.scope("room");
    room.add("toneLevel", s.room.toneLevel);
    room.add("toneFrequency", s.room.toneFrequency);
    room.add("applyFilter", s.room.applyFilter);
    room.add("filterCenter", s.room.filterCenter);
    room.add("filterDepth", s.room.filterDepth);
    room.add("filterWidth", s.room.filterWidth);
    room.add("thxUltra2Sub", s.room.thxUltra2Sub);
    room.add("thxBgCompensation", s.room.thxBgCompensation);
}

void listTimers(const Lister& l, const TimersRecord& t) {
    l.add("clock24", t.clock24);
    l.add("timersEnabled", t.timersEnabled);
    constexpr const char* kSlotNames[kTimerTimeSlotCount] = {"weekdayOn", "weekdayOff", "weekendOn", "weekendOff"};
    for (int zone = 0; zone < kTimerZoneCount; ++zone) {
        for (int timer = 0; timer < 2; ++timer) {
            const auto& e = t.entry[zone][timer];
            const auto el = l.scope("entry", zone).scope("timer", timer);
            for (int slot = 0; slot < kTimerTimeSlotCount; ++slot) {
                const auto tl = el.scope(kSlotNames[slot]);
                tl.add("hour", e.times[slot].hour);
                tl.add("minute", e.times[slot].minute);
                tl.add("pm", e.times[slot].pm);
            }
            el.add("volume", e.volume);
            el.add("days", e.days);
            el.add("source", e.source);
            el.add("station", e.station);
        }
    }
}

void listSetup(const Lister& l, const SetupPresetsRecord& s) {
    l.add("copyZone2", s.copyZone2);
    l.add("copyZone3", s.copyZone3);
    l.add("copyRec", s.copyRec);
    constexpr const char* kSlotNames[kModePresetSlotCount] = {"twoCh", "dd20", "dd51", "ddEx", "dts51", "dtsEs"};
    for (int i = 0; i < kSourceCount; ++i) {
        const auto& e = s.entry[i];
        const auto el = l.scope("entry", i);
        // The code is what the unit keeps; a position alone would hide modes the lists lack.
        for (int slot = 0; slot < kModePresetSlotCount; ++slot) el.add(kSlotNames[slot], e.presets.code(slot));
        el.add("name", e.name);
        el.add("audioIn", e.audioIn);
        el.add("digitalIn", e.digitalIn);
        el.add("muting", e.muting);
        el.add("eqLow", e.eqLow);
        el.add("eqHigh", e.eqHigh);
        el.add("amEqLow", e.amEqLow);
        el.add("amEqHigh", e.amEqHigh);
        el.add("sVideo", e.sVideo);
        el.add("compositeVideo", e.compositeVideo);
        el.add("speakerConfig", e.speakerConfig);
        el.add("componentVideo", e.componentVideo);
        el.add("lipSync", e.lipSync);
    }
}

void listTriggers(const Lister& l, const TriggersRecord& t) {
    l.add("baudRate", t.baudRate);
    l.add("flowControl", t.flowControl);
    l.add("allTriggers", t.allTriggers);
    l.add("txStatus", t.txStatus);
    l.add("irInputs", t.irInputs.flag);
    for (int n = 0; n < kTriggerCount; ++n) l.scope("trigger", n).add("flag", t.trigger[n].flag);
}

void listDisplays(const Lister& l, const DisplaysRecord& d) {
    l.add("mainOnScreen", d.mainOnScreen);
    l.add("mainOsInfo", d.mainOsInfo);
    l.add("mainOsPosition", d.mainOsPosition);
    l.add("mainOsColor", d.mainOsColor);
    l.add("zone2OnScreen", d.zone2OnScreen);
    l.add("zone2OsInfo", d.zone2OsInfo);
    l.add("zone2OsPosition", d.zone2OsPosition);
    l.add("zone2OsColor", d.zone2OsColor);
    l.add("wakeUp", d.wakeUp);
    l.add("functionTimeout", d.functionTimeout);
    l.add("brightLow", d.brightLow);
    l.add("brightMedium", d.brightMedium);
    l.add("brightHigh", d.brightHigh);
}

void listVolumes(const Lister& l, const VolumesRecord& v) {
    l.add("muteLevel", v.muteLevel);
    l.add("hphoneMutesSpeakers", v.hphoneMutesSpeakers);
    l.add("onVolume", v.onVolume);
    l.add("maxVolume", v.maxVolume);
    l.add("zone2Name", v.zone2Name);
    l.add("zone3Name", v.zone3Name);
    l.add("recName", v.recName);
}

void listAudioOut(const Lister& l, const AudioOutRecord& a) {
    l.add("reverseSurRear", a.reverseSurRear);
    l.add("copySurToRear", a.copySurToRear);
    l.add("fs6ch", a.fs6ch);
    l.add("fs2ch", a.fs2ch);
    l.add("dig1Is16Bit", a.dig1Is16Bit);
    l.add("digital2", a.digital2);
    l.add("balOutZone2", a.balOutZone2);
}

}  // namespace

FieldList listFields(const SettingsRecordSet& set) {
    FieldList out;
    const Lister root(out, "");
    root.scope("inputLevels").add("level", set.inputLevels.level);
    listDisplays(root.scope("displays"), set.displays);
    const auto listener = root.scope("listener");
    listener.add("metric", set.listener.metric);
    listener.add("distance", set.listener.distance);
    listener.add("rearSpacing", set.listener.rearSpacing);
    listVolumes(root.scope("volumes"), set.volumes);
    listSpeakers(root.scope("speakerConfig"), set.speakerConfig);
    const auto calibration = root.scope("calibration");
    calibration.add("noiseReferenceLevel", set.calibration.noiseReferenceLevel);
    calibration.add("channelLevel", set.calibration.channelLevel);
    listSetup(root.scope("setupPresets"), set.setupPresets);
    listTriggers(root.scope("triggers"), set.triggers);
    listTimers(root.scope("timers"), set.timers);
    const auto tuner = root.scope("tuner");
    tuner.add("freq", set.tuner.freq);
    tuner.add("mode", set.tuner.mode);
    listAudioOut(root.scope("audioOut"), set.audioOut);
    return out;
}

namespace {

void flattenValue(FieldList& out, const std::string& name, const FieldValue& value) {
    if (value.kind != FieldValue::Kind::List) {
        out.push_back({name, formatFieldValue(value)});
        return;
    }
    for (std::size_t i = 0; i < value.items.size(); ++i)
        flattenValue(out, name + "[" + std::to_string(i) + "]", value.items[i]);
}

}  // namespace

FieldList flattenFields(const std::string& prefix, const std::vector<Field>& fields) {
    FieldList out;
    for (const auto& f : fields) flattenValue(out, prefix + f.name, f.value);
    return out;
}

}  // namespace velmar
