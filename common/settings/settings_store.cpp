#include "settings_store.h"

#include <algorithm>
#include <cstring>

#include "bits.h"

namespace velmar {

namespace {

constexpr const char* kDefaultSourceNames[kSourceCount] = {
    "DVD   ", "CD    ", "TAPE  ", "FM/AM ", "TV    ", "SAT   ", "VCR   ", "AUX   ", "2-Ch  ", "6-Ch  ",
};
constexpr const char* kDefaultZoneNames[kNameSlotCount] = {"MAIN", "ZONE2", "ZONE3", "HPHONE", "RECORD"};

// Connector of each source, then the exceptions to type 0 and muting 1.
constexpr std::uint8_t kDefaultConnector[kSourceCount] = {4, 5, 6, 11, 7, 8, 9, 10, 11, 11};
constexpr std::uint8_t kDefaultInputType[kSourceCount] = {2, 0, 0, 0, 3, 3, 0, 0, 1, 0};
constexpr std::uint8_t kDefaultMuting[kSourceCount] = {1, 0, 1, 1, 1, 2, 1, 1, 1, 1};

constexpr std::uint8_t kDefaultSpeakerConfig[kSpeakerGroupCount] = {0x65, 0x55, 0x5D, 0x5D, 0x21};
constexpr std::uint16_t kDefaultDistance[kDistanceCount] = {120, 120, 120, 80, 60, 60, 80, 120};

struct VolumeDefault {
    std::int16_t onVolume, maxVolume, floor;
};
constexpr VolumeDefault kDefaultVolume[kVolumeZoneCount] = {
    {-70, 20, -191}, {-28, 0, -50}, {-28, 0, -50}, {-28, 8, -50}};

constexpr std::uint8_t kDefaultSourceRecord[kSourceRecordSize - 1] = {27, 34, 5, 50, 0, 81, 2, 4, 1, 10, 1, 12};
constexpr std::uint8_t kDefaultLegacyRecord[kLegacySourceRecordSize] = {27, 34, 34, 0, 180, 210, 210, 37};

constexpr int kTuner = 3, kTwoChannel = 8, kSixChannel = 9;

void copyName(Name& slot, const char* text)
{
    slot.fill(0);
    std::strncpy(slot.data(), text, kNameSize - 1);
}

}  // namespace

SettingsStore::SettingsStore(Variant variant) : variant_(variant)
{
    set_.displayTail = {15, 10, 5};
    defaultMainBlock();
    defaultTunerPresets();
    defaultSourceRecords();
    defaultLegacySourceRecords();
    defaultSystemCodes();
    unit_.unitValue = 0;
    unit_.unitSelect = 0;
    defaultUnitState();
    unit_.tunerModes[0] = 0;
    defaultModeTable();
}

bool SettingsStore::isCorvalentLayout() const
{
    return variant_ == Variant::Editor && modelKind_ == ModelKind::CorvalentD1;
}

bool SettingsStore::carriesBrightness() const
{
    return variant_ == Variant::Editor && (modelKind_ == ModelKind::CorvalentD1 || modelKind_ == ModelKind::Qrx20);
}

bool SettingsStore::holdsComponentBit2() const
{
    return variant_ == Variant::Installer || modelKind_ != ModelKind::Qrx20;
}

void SettingsStore::defaultSourceInputs()
{
    for (int i = 0; i < kSourceCount; ++i) {
        std::uint8_t input = 0;
        bits::put(input, 0, 2, kDefaultInputType[i]);
        bits::put(input, 2, 2, kDefaultMuting[i]);
        bits::put(input, 4, 4, kDefaultConnector[i]);
        set_.sourceInput[i] = input;
        set_.inputLevel[i] = i == kTuner ? -10 : 0;
        set_.sourceDelay[i] = 0;
    }
    set_.audioOutFlags = 3;
    set_.audioOutFormat = 0;
}

void SettingsStore::defaultEqualisers()
{
    set_.eqLow.fill(0);
    set_.eqHigh.fill(0);
}

void SettingsStore::defaultSpeakers()
{
    for (auto& mode : set_.crossover)
        mode.fill(80);
    std::copy(std::begin(kDefaultSpeakerConfig), std::end(kDefaultSpeakerConfig), set_.speakerConfig.begin());
    set_.speakerLevel.fill(0);
    set_.bassManagement.fill(0);
    set_.speakerOptions = 0x80;
    set_.noiseReferenceLevel = 0;
}

void SettingsStore::defaultDistances()
{
    set_.distanceFlags = 0;
    std::copy(std::begin(kDefaultDistance), std::end(kDefaultDistance), set_.speakerDistance.begin());
}

void SettingsStore::defaultZoneVolumes()
{
    for (int z = 0; z < kVolumeZoneCount; ++z) {
        ZoneVolume v;
        v.onVolume = kDefaultVolume[z].onVolume;
        v.maxVolume = kDefaultVolume[z].maxVolume;
        v.volumeFloor = kDefaultVolume[z].floor;
        set_.zoneVolume[z] = v;
    }
}

void SettingsStore::defaultTimers()
{
    for (int z = 0; z < kTimerZoneCount; ++z) {
        TimerRecord t;
        for (int timer = 0; timer < 2; ++timer) {
            t.timerTimes[timerTimeIndex(timer, false, false)] = 8 << 8;
            t.timerTimes[timerTimeIndex(timer, false, true)] = 10 << 8;
            t.timerTimes[timerTimeIndex(timer, true, false)] = 23 << 8;
            t.timerTimes[timerTimeIndex(timer, true, true)] = 23 << 8;
            t.timerSource[timer] = kTuner;
            t.timerVolume[timer] = z == 0 ? 250 : 36;
        }
        set_.timer[z] = t;
    }
}

void SettingsStore::defaultTriggers()
{
    set_.rs232Options = 0x40;
    set_.irInputs.fill(7);
    for (auto& trigger : set_.triggerMask)
        trigger.fill(0);
}

void SettingsStore::defaultDisplays()
{
    constexpr std::uint8_t kOptions[6] = {5, 0x33, 0x22, 0, 31, 2};
    std::copy(std::begin(kOptions), std::end(kOptions), set_.displayOptions.begin());
    set_.displayOptions[6] = isCorvalentLayout() ? 0 : 1;
    // The editor leaves the tail of a model that does not carry it as it is here.
    if (variant_ == Variant::Editor && !carriesBrightness())
        return;
    set_.displayTail = {15, 10, 5};
}

void SettingsStore::defaultRoomResonance()
{
    set_.roomTestToneFreq = 21;
    set_.roomTestToneLevel = 0;
    set_.roomFilterCenter = 60;
    set_.roomFilterDepth = 1;
    set_.roomFilterWidth = 20;
}

void SettingsStore::defaultMuteLevel() { set_.muteLevel = 0x80; }

void SettingsStore::defaultTunerPresets()
{
    set_.presetOffset.fill(0);
    set_.presetMode.fill(0);
}

void SettingsStore::defaultNames()
{
    for (int i = 0; i < kSourceCount; ++i)
        copyName(set_.sourceName[i], kDefaultSourceNames[i]);
    for (int i = 0; i < kNameSlotCount; ++i)
        copyName(set_.zoneName[i], kDefaultZoneNames[i]);
}

void SettingsStore::defaultSourceRecords()
{
    for (int i = 0; i < kSourceCount; ++i) {
        auto& r = set_.sourceRecord[i];
        std::copy(std::begin(kDefaultSourceRecord), std::end(kDefaultSourceRecord), r.begin());
        if (i < kTwoChannel)
            r[12] = static_cast<std::uint8_t>(i | (i << 3));
        else
            r[12] = i == kTwoChannel ? 27 : 0;
    }
    for (int i : {1, 2, kTuner, kTwoChannel, kSixChannel})
        setSourceRecordBits(i, 2, 2, 2, 0);
    setComponentVideo(kSixChannel, 1);
    setComponentVideo(0, 1);
    setComponentVideo(5, 2);
    for (int i : {1, 2, kTuner})
        setModePreset(i, 0, 1);
    setModePreset(kTwoChannel, 0, 0);
    setModePreset(kSixChannel, 2, 3);
}

void SettingsStore::defaultLegacySourceRecords()
{
    for (int i = 0; i < kSourceCount; ++i) {
        auto& l = set_.legacySourceRecord[i];
        std::copy(std::begin(kDefaultLegacyRecord), std::end(kDefaultLegacyRecord), l.begin());
    }
    for (int i : {1, 2, 3, 8, 9})
        bits::put(set_.legacySourceRecord[i][7], 2, 2, 0);
    for (int i : {1, 9, 0})
        setLegacyComponentVideo(i, 1);
    setLegacyComponentVideo(5, 2);
    for (int i : {1, 2, 3})
        bits::put(set_.legacySourceRecord[i][2], 4, 4, 1);
    for (int i : {8, 9})
        bits::put(set_.legacySourceRecord[i][2], 4, 4, 0);
    bits::put(set_.legacySourceRecord[9][4], 2, 3, 3);
}

void SettingsStore::setLegacyComponentVideo(int source, int input)
{
    auto& l = set_.legacySourceRecord[source];
    bits::put(l[1], 6, 2, input & 3);
    if (holdsComponentBit2())
        bits::put(l[0], 6, 1, (input >> 2) & 1);
}

void SettingsStore::defaultMainBlock()
{
    defaultSourceInputs();
    defaultEqualisers();
    defaultSpeakers();
    defaultDistances();
    defaultZoneVolumes();
    defaultTimers();
    defaultTriggers();
    defaultDisplays();
    defaultRoomResonance();
    defaultMuteLevel();
    defaultNames();
}

void SettingsStore::defaultUnitState()
{
    unit_.stateNibbleA.fill(0);
    unit_.stateNibbleB.fill(0);
    unit_.tunerBand = 1;
    unit_.tunerFrequency[0] = BoundedValue::range(53, 171, 10, 53);
    for (int bank = 1; bank < kTunerBankCount; ++bank)
        unit_.tunerFrequency[bank] = BoundedValue::range(875, 1079, 10, 875);
    unit_.tunerFlags = 15;
    unit_.tunerByte = 0;
    for (int i = 1; i < kTunerBankCount; ++i)
        unit_.tunerModes[i] = 0;
}

void SettingsStore::defaultModeTable()
{
    for (int i = 0; i < 14; ++i) {
        const bool narrow = i == 2 || i >= 11;
        unit_.modeLevels[i] = narrow ? BoundedValue::range(-20, 20, 2) : BoundedValue::range(-24, 24, 2);
    }
    for (int r = 0; r < 6; ++r) {
        ModeRecord record;
        if (r < 4)
            record.header = BoundedValue::range(-20, 20, 2);
        else if (r == 4)
            record.header = BoundedValue::range(-60, 40, 10);
        else
            record.header = BoundedValue::range(-20, 0, 2);
        unit_.modeRecords[r] = record;
    }
    for (int i = 0; i < 9; ++i)
        unit_.modeTrims[i] = i < 6 ? BoundedValue::range(-7, 7, 1) : BoundedValue::range(-10, 10, 2);
}

void SettingsStore::defaultSystemCodes()
{
    unit_.systemCodeFlags = 0;
    unit_.systemCodeA.fill(0);
    unit_.systemCodeB.fill(0);
}

void SettingsStore::applySpeakerRules(int mode)
{
    constexpr int kFronts = 0, kCenter = 1, kSurrounds = 2, kRears = 3, kSub = 4;
    if (speakerSize(mode, kFronts) == 1)
        setSpeakerSize(mode, kSub, 1);
    if (speakerSize(mode, kSurrounds) == 0)
        setSpeakerSize(mode, kRears, 0);

    auto& x = set_.crossover[mode][kSub];
    if (x <= 160)
        return;
    const int sub = storedSpeakerSize(mode, kSub);
    if (useAdvancedSettings(mode)) {
        if (sub == 0)
            x = 160;
        return;
    }
    const bool allLarge = speakerSize(mode, kFronts) == 2 && speakerSize(mode, kCenter) == 2 &&
                          speakerSize(mode, kSurrounds) == 2;
    const int rears = speakerSize(mode, kRears);
    if (!(sub != 0 && allLarge && (rears == 2 || rears == 0)))
        x = 160;
}

}  // namespace velmar
