#pragma once

// The unit's complete settings in memory: one settings set at a time, the unit-wide fields,
// the two EEPROM images and the serialisation cursor. Readers return plain integers and
// apply the unit's reading rules; writers touch only their own bits and apply the unit's
// clamps and remaps. Nothing here can fail.

#include <array>
#include <cstdint>
#include <string>

#include "image.h"
#include "model_kind.h"
#include "settings_fields.h"

namespace velmar {

class SettingsStore {
public:
    explicit SettingsStore(Variant variant = Variant::Editor);

    Variant variant() const { return variant_; }
    ModelKind modelKind() const { return modelKind_; }
    void setModelKind(ModelKind kind) { modelKind_ = kind; }

    // Model-dependent layout, as the codec and the writers see it.
    bool isCorvalentLayout() const;  // wake-up choice in bits 2-3
    // The editor keeps the three front panel brightness levels in the image for the models
    // whose panel has them (QRX 20, Corvalent D1); for the others it writes fixed levels.
    bool carriesBrightness() const;
    bool holdsComponentBit2() const;  // component video input 4 needs byte 0 bit 6

    // Raw compact form, for the codec and for tools that list every field.
    SetFields& set() { return set_; }
    const SetFields& set() const { return set_; }
    UnitFields& unit() { return unit_; }
    const UnitFields& unit() const { return unit_; }

    // The two images and the cursor that every section encode and decode runs through.
    Image readImage{};
    Image writeImage{};
    std::uint16_t imagePos = 0;
    std::uint16_t imageSum = 0;
    // Set while an image in the older layout is read: 16-bit fields are then high byte first.
    bool legacyLayout = false;
    // The unit's own adjustments (WriteImage 0x060..0x1FF), kept across a store-back.
    std::array<std::uint8_t, 0x200 - 0x060> savedUnitArea{};

    // ---- defaults initialisers, one per field group ----
    void defaultSourceInputs();  // source inputs, input levels, lip-sync delays, audio-out
    void defaultEqualisers();
    void defaultSpeakers();
    void defaultDistances();
    void defaultZoneVolumes();
    void defaultTimers();
    void defaultTriggers();  // triggers, IR inputs, RS-232
    void defaultDisplays();  // model dependent
    void defaultRoomResonance();
    void defaultMuteLevel();
    void defaultTunerPresets();
    void defaultNames();
    void defaultSourceRecords();  // model dependent
    void defaultLegacySourceRecords();
    void defaultMainBlock();  // every group of the main block, names included
    void defaultUnitState();  // leaves unitValue and unitSelect alone
    void defaultModeTable();  // all mode table values 0, ranges restored
    void defaultSystemCodes();

    // Consistency of subwoofer, rears and subwoofer crossover for one speaker mode.
    void applySpeakerRules(int mode);

    // ---- names ----
    std::string sourceName(int source) const;
    void setSourceName(int source, const std::string& name);
    std::string zoneName(int slot) const;
    void setZoneName(int slot, const std::string& name);

    // ---- per-source audio input ----
    int audioInType(int source) const;
    void setAudioInType(int source, int type);
    int muting(int source) const;
    void setMuting(int source, int level);
    int audioInConnector(int source) const;
    void setAudioInConnector(int source, int connector);
    int inputLevel(int source) const;
    void setInputLevel(int source, int level);
    int eqLow(int index) const;
    void setEqLow(int index, int value);
    int eqHigh(int index) const;
    void setEqHigh(int index, int value);
    int sourceDelay(int source) const;
    void setSourceDelay(int source, int halfMilliseconds);

    // ---- audio-out format and copy flags ----
    int sixChannelFs() const;
    void setSixChannelFs(int code);
    int digital1Is16Bit() const;
    void setDigital1Is16Bit(int on);
    int copySurroundToRear() const;
    void setCopySurroundToRear(int on);
    int copyMain(int which) const;  // which: 1 Zone 2, 2 Zone 3, 4 Rec
    void setCopyMain(int which, int on);
    int digital2Source() const;  // 0 "Digital 1", otherwise source + 1
    void setDigital2Source(int value);
    void setDigital2Code(int code);  // as it is: a code read from the image goes back unchanged
    int twoChannelFs() const;
    void setTwoChannelFs(int code);
    int balancedOut() const;
    void setBalancedOut(int value);
    int sixChannelReverseSurRear() const;
    void setSixChannelReverseSurRear(int on);

    // ---- speakers ----
    int crossover(int mode, int group) const;
    void setCrossover(int mode, int group, int hertz);
    void setCrossoverIndex(int mode, int group, int index);  // index × 5 + 25 Hz
    int storedSpeakerSize(int mode, int group) const;
    int speakerSize(int mode, int group) const;  // effective size
    void setSpeakerSize(int mode, int group, int size);
    int twoUnits(int mode, int group) const;
    void setTwoUnits(int mode, int group, int on);
    int dipole(int group) const;
    void setDipole(int group, int on);
    int bypassLfeCrossover(int mode) const;
    void setBypassLfeCrossover(int mode, int on);
    int rearChoice() const;  // dipole × 2 + two rears
    void setRearChoice(int choice);
    int subwooferChoice(int mode) const;  // 0 None, 1 1 Sub, 2 2 Sub, 3 1 Super, 4 2 Super
    void setSubwooferChoice(int mode, int choice);
    int speakerLevel(int channel) const;
    void setSpeakerLevel(int channel, int level);
    int useAdvancedSettings(int mode) const;
    void setUseAdvancedSettings(int mode, int on);
    int subwooferPolarity(int mode) const;
    void setSubwooferPolarity(int mode, int inverted);
    int subwooferPhase(int mode) const;
    void setSubwooferPhase(int mode, int phase);
    int tvSizeForEq() const;
    void setTvSizeForEq(int size);
    int centerEq() const;
    void setCenterEq(int on);
    int hphoneMutesSpeakers() const;
    void setHphoneMutesSpeakers(int on);
    int thxBgCompensation() const;
    void setThxBgCompensation(int on);
    int thxUltra2Sub() const;
    void setThxUltra2Sub(int on);
    int musicSameAsCinema() const;
    void setMusicSameAsCinema(int on);
    int noiseReferenceLevel() const;
    void setNoiseReferenceLevel(int level);

    // ---- listener distances ----
    int metricUnits() const;
    void setMetricUnits(int on);
    int rearSpacing() const;
    void setRearSpacing(int choice);
    int speakerDistance(int speaker) const;
    void setSpeakerDistance(int speaker, int tenths);

    // ---- zone volumes and mute ----
    int onVolume(int zone) const;
    void setOnVolume(int zone, int steps);
    int maxVolume(int zone) const;
    void setMaxVolume(int zone, int steps);
    int volumeFloor(int zone) const;
    int furtherLevel(int zone, int which) const;  // which: 0 or 1
    void setFurtherLevel(int zone, int which, int steps);
    int muteLevel() const;  // attenuation in dB, a multiple of 5
    void setMuteLevel(int decibels);

    // ---- timers ----
    int timerMode(int zone, int timer) const;
    void setTimerMode(int zone, int timer, int mode);
    static int timerTimeIndex(int timer, bool off, bool weekend);
    int timerHour(int zone, int index) const;
    int timerMinute(int zone, int index) const;
    void setTimerTime(int zone, int index, int hour, int minute);
    int timerSource(int zone, int timer) const;
    void setTimerSource(int zone, int timer, int source);
    int timerStation(int zone, int timer) const;
    void setTimerStation(int zone, int timer, int preset);
    int timerVolume(int zone, int timer) const;  // signed step count
    void setTimerVolume(int zone, int timer, int steps);
    int clock24Hour() const;
    void setClock24Hour(int on);
    int timersEnabled() const;
    void setTimersEnabled(int on);

    // ---- triggers, IR inputs, RS-232 ----
    int allTriggers() const;
    void setAllTriggers(int choice);
    int flowControl() const;
    void setFlowControl(int rtsCts);
    int rs232TxStatus() const;
    void setRs232TxStatus(int on);
    int rs232BaudChoice() const;  // index into 2400 ... 115200, -1 when unset
    void setRs232BaudChoice(int choice);
    int irInputs(int receiver) const;
    void setIrInputs(int receiver, int zoneMask);
    int triggerMask(int trigger, int column) const;
    void setTriggerMask(int trigger, int column, int mask);

    // ---- displays ----
    int functionTimeout() const;
    void setFunctionTimeout(int seconds);
    int onScreen(int zone) const;  // zone 0 Main, 1 Zone 2
    void setOnScreen(int zone, int value);
    int osPosition(int zone) const;
    void setOsPosition(int zone, int position);
    int osColor(int zone) const;
    void setOsColor(int zone, int color);
    int osInfo(int zone) const;  // the page's choice 0..5
    void setOsInfo(int zone, int choice);
    bool osInfoIsChoice(int zone) const;  // the stored mask is one that a choice writes
    int osInfoMask(int zone) const;       // the zone mask as stored
    void setOsInfoMask(int zone, int mask);
    int frontPanelWakeUp() const;
    void setFrontPanelWakeUp(int choice);
    int displayUnitValue() const;
    void setDisplayUnitValue(int value);
    int brightness(int entry) const;  // 0 High, 1 Medium, 2 Low
    void setBrightness(int entry, int level);

    // ---- room resonance ----
    int roomTestToneFreqIndex() const;
    void setRoomTestToneFreqIndex(int index);
    int roomTestToneLevel() const;
    void setRoomTestToneLevel(int level);
    int roomFilterCenter() const;
    void setRoomFilterCenter(int value);
    int roomFilterDepth() const;
    void setRoomFilterDepth(int value);
    int roomFilterWidth() const;
    void setRoomFilterWidth(int value);
    int applyRoomFilter() const;
    void setApplyRoomFilter(int on);

    // ---- tuner presets ----
    static int presetBank(int preset);
    int presetFrequency(int preset) const;
    void setPresetFrequency(int preset, int frequency);
    void restorePresetsFromFrequencies();
    int presetMode(int preset) const;
    void setPresetMode(int preset, int mode);

    // ---- source records ----
    int sourceRecordBits(int source, int byte, int shift, int width) const;
    void setSourceRecordBits(int source, int byte, int shift, int width, int value);
    int componentVideo(int source) const;
    void setComponentVideo(int source, int input);
    int sourceSpeakerConfig(int source) const;
    void setSourceSpeakerConfig(int source, int config);
    int modePreset(int source, int signal) const;  // signal 0 "2-ch" ... 5 "DTS-ES"
    void setModePreset(int source, int signal, int mode);
    int compositeVideo(int source) const;  // input code
    void setCompositeVideo(int source, int code);
    int sVideo(int source) const;
    void setSVideo(int source, int code);
    static int videoListPosition(int code);
    static int videoCodeAt(int listPosition);
    // Component video input of a legacy source record, held as in a current record.
    void setLegacyComponentVideo(int source, int input);

private:
    Variant variant_;
    ModelKind modelKind_ = ModelKind::Undetected;
    SetFields set_{};
    UnitFields unit_{};
};

}  // namespace velmar
