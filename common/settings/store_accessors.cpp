// Readers and writers of the set's fields: each writer touches only its own bits.
#include <algorithm>
#include <cstring>

#include "bits.h"
#include "settings_store.h"

namespace velmar {

namespace {

constexpr int kMusic = 0;
constexpr int kSubwoofer = 4;

int clampInt(int v, int lo, int hi) { return std::clamp(v, lo, hi); }

std::string nameText(const Name& slot) { return std::string(slot.data(), strnlen(slot.data(), kNameSize - 1)); }

void storeName(Name& slot, const std::string& text)
{
    slot.fill(0);
    std::memcpy(slot.data(), text.data(), std::min<std::size_t>(text.size(), kNameSize - 1));
}

// Music keeps its speaker bits in the high nibble, Cinema in the low one.
int modeShift(int mode) { return mode == kMusic ? 4 : 0; }

}  // namespace

// ---- names ----
std::string SettingsStore::sourceName(int source) const { return nameText(set_.sourceName[source]); }
void SettingsStore::setSourceName(int source, const std::string& name) { storeName(set_.sourceName[source], name); }
std::string SettingsStore::zoneName(int slot) const { return nameText(set_.zoneName[slot]); }
void SettingsStore::setZoneName(int slot, const std::string& name) { storeName(set_.zoneName[slot], name); }

// ---- per-source audio input ----
int SettingsStore::audioInType(int source) const { return bits::get(set_.sourceInput[source], 0, 2); }
void SettingsStore::setAudioInType(int source, int type) { bits::put(set_.sourceInput[source], 0, 2, type); }
int SettingsStore::muting(int source) const { return bits::get(set_.sourceInput[source], 2, 2); }
void SettingsStore::setMuting(int source, int level) { bits::put(set_.sourceInput[source], 2, 2, level); }
int SettingsStore::audioInConnector(int source) const { return bits::get(set_.sourceInput[source], 4, 4); }
void SettingsStore::setAudioInConnector(int source, int connector)
{
    bits::put(set_.sourceInput[source], 4, 4, connector);
}
int SettingsStore::inputLevel(int source) const { return set_.inputLevel[source]; }
void SettingsStore::setInputLevel(int source, int level) { set_.inputLevel[source] = static_cast<std::int8_t>(level); }
int SettingsStore::eqLow(int index) const { return set_.eqLow[index]; }
void SettingsStore::setEqLow(int index, int value)
{
    set_.eqLow[index] = static_cast<std::int8_t>(unit_.modeLevels[0].clamped(value));
}
int SettingsStore::eqHigh(int index) const { return set_.eqHigh[index]; }
void SettingsStore::setEqHigh(int index, int value)
{
    set_.eqHigh[index] = static_cast<std::int8_t>(unit_.modeLevels[1].clamped(value));
}
int SettingsStore::sourceDelay(int source) const { return set_.sourceDelay[source]; }
void SettingsStore::setSourceDelay(int source, int halfMilliseconds)
{
    set_.sourceDelay[source] = static_cast<std::uint16_t>(halfMilliseconds);
}

// ---- audio-out ----
int SettingsStore::sixChannelFs() const { return bits::get(set_.audioOutFlags, 0, 2); }
void SettingsStore::setSixChannelFs(int code) { bits::put(set_.audioOutFlags, 0, 2, code); }
int SettingsStore::digital1Is16Bit() const { return bits::get(set_.audioOutFlags, 2, 1); }
void SettingsStore::setDigital1Is16Bit(int on) { bits::put(set_.audioOutFlags, 2, 1, on); }
int SettingsStore::copySurroundToRear() const { return bits::get(set_.audioOutFlags, 3, 1); }
void SettingsStore::setCopySurroundToRear(int on) { bits::put(set_.audioOutFlags, 3, 1, on); }
int SettingsStore::copyMain(int which) const { return bits::get(set_.audioOutFlags, which + 3, 1); }
void SettingsStore::setCopyMain(int which, int on) { bits::put(set_.audioOutFlags, which + 3, 1, on); }
int SettingsStore::digital2Source() const { return bits::get(set_.audioOutFormat, 0, 4); }
void SettingsStore::setDigital2Source(int value)
{
    // Only a digital input can feed the second digital output.
    const int source = value - 1;
    if (source >= 0 && source < kSourceCount && audioInType(source) < 2)
        value = 0;
    setDigital2Code(value);
}
void SettingsStore::setDigital2Code(int code) { bits::put(set_.audioOutFormat, 0, 4, code); }
int SettingsStore::twoChannelFs() const { return bits::get(set_.audioOutFormat, 4, 2); }
void SettingsStore::setTwoChannelFs(int code) { bits::put(set_.audioOutFormat, 4, 2, code); }
int SettingsStore::balancedOut() const { return bits::get(set_.audioOutFormat, 6, 1); }
void SettingsStore::setBalancedOut(int value) { bits::put(set_.audioOutFormat, 6, 1, value); }
int SettingsStore::sixChannelReverseSurRear() const { return bits::get(set_.audioOutFormat, 7, 1); }
void SettingsStore::setSixChannelReverseSurRear(int on) { bits::put(set_.audioOutFormat, 7, 1, on); }

// ---- speakers ----
int SettingsStore::crossover(int mode, int group) const { return set_.crossover[mode][group]; }
void SettingsStore::setCrossover(int mode, int group, int hertz)
{
    set_.crossover[mode][group] = static_cast<std::uint8_t>(hertz);
}
void SettingsStore::setCrossoverIndex(int mode, int group, int index) { setCrossover(mode, group, index * 5 + 25); }
int SettingsStore::storedSpeakerSize(int mode, int group) const
{
    return bits::get(set_.speakerConfig[group], modeShift(mode), 2);
}
int SettingsStore::speakerSize(int mode, int group) const
{
    const int stored = storedSpeakerSize(mode, group);
    if (group < kSubwoofer && useAdvancedSettings(mode) && stored != 0)
        return set_.crossover[mode][group] > 160 ? 2 : 1;
    return stored;
}
void SettingsStore::setSpeakerSize(int mode, int group, int size)
{
    bits::put(set_.speakerConfig[group], modeShift(mode), 2, size);
}
int SettingsStore::twoUnits(int mode, int group) const
{
    return bits::get(set_.speakerConfig[group], modeShift(mode) + 2, 1);
}
void SettingsStore::setTwoUnits(int mode, int group, int on)
{
    bits::put(set_.speakerConfig[group], modeShift(mode) + 2, 1, on);
}
int SettingsStore::dipole(int group) const { return bits::get(set_.speakerConfig[group], 3, 1); }
void SettingsStore::setDipole(int group, int on) { bits::put(set_.speakerConfig[group], 3, 1, on); }
int SettingsStore::bypassLfeCrossover(int mode) const
{
    return bits::get(set_.speakerConfig[kSubwoofer], modeShift(mode) + 3, 1);
}
void SettingsStore::setBypassLfeCrossover(int mode, int on)
{
    bits::put(set_.speakerConfig[kSubwoofer], modeShift(mode) + 3, 1, on);
}
int SettingsStore::rearChoice() const { return bits::get(set_.speakerConfig[3], 2, 2); }
void SettingsStore::setRearChoice(int choice) { bits::put(set_.speakerConfig[3], 2, 2, choice); }
int SettingsStore::subwooferChoice(int mode) const
{
    const int size = storedSpeakerSize(mode, kSubwoofer);
    if (size == 0)
        return 0;
    const int two = twoUnits(mode, kSubwoofer);
    return size == 1 ? 1 + two : 3 + two;
}
void SettingsStore::setSubwooferChoice(int mode, int choice)
{
    constexpr int kSize[] = {0, 1, 1, 2, 2};
    setSpeakerSize(mode, kSubwoofer, kSize[clampInt(choice, 0, 4)]);
    setTwoUnits(mode, kSubwoofer, choice == 2 || choice == 4);
}
int SettingsStore::speakerLevel(int channel) const { return set_.speakerLevel[channel]; }
void SettingsStore::setSpeakerLevel(int channel, int level)
{
    set_.speakerLevel[channel] = static_cast<std::int8_t>(level);
}
int SettingsStore::useAdvancedSettings(int mode) const { return bits::get(set_.bassManagement[mode], 7, 1); }
void SettingsStore::setUseAdvancedSettings(int mode, int on) { bits::put(set_.bassManagement[mode], 7, 1, on); }
int SettingsStore::subwooferPolarity(int mode) const { return bits::get(set_.bassManagement[mode], 6, 1); }
void SettingsStore::setSubwooferPolarity(int mode, int inverted)
{
    bits::put(set_.bassManagement[mode], 6, 1, inverted);
}
int SettingsStore::subwooferPhase(int mode) const { return bits::get(set_.bassManagement[mode], 0, 6); }
void SettingsStore::setSubwooferPhase(int mode, int phase) { bits::put(set_.bassManagement[mode], 0, 6, phase); }
int SettingsStore::tvSizeForEq() const { return bits::get(set_.speakerOptions, 0, 3); }
void SettingsStore::setTvSizeForEq(int size) { bits::put(set_.speakerOptions, 0, 3, size); }
int SettingsStore::centerEq() const { return bits::get(set_.speakerOptions, 3, 1); }
void SettingsStore::setCenterEq(int on) { bits::put(set_.speakerOptions, 3, 1, on); }
int SettingsStore::hphoneMutesSpeakers() const { return bits::get(set_.speakerOptions, 4, 1); }
void SettingsStore::setHphoneMutesSpeakers(int on) { bits::put(set_.speakerOptions, 4, 1, on); }
int SettingsStore::thxBgCompensation() const { return bits::get(set_.speakerOptions, 5, 1); }
void SettingsStore::setThxBgCompensation(int on) { bits::put(set_.speakerOptions, 5, 1, on); }
int SettingsStore::thxUltra2Sub() const { return bits::get(set_.speakerOptions, 6, 1); }
void SettingsStore::setThxUltra2Sub(int on) { bits::put(set_.speakerOptions, 6, 1, on); }
int SettingsStore::musicSameAsCinema() const { return bits::get(set_.speakerOptions, 7, 1); }
void SettingsStore::setMusicSameAsCinema(int on) { bits::put(set_.speakerOptions, 7, 1, on); }
int SettingsStore::noiseReferenceLevel() const { return set_.noiseReferenceLevel; }
void SettingsStore::setNoiseReferenceLevel(int level)
{
    set_.noiseReferenceLevel = static_cast<std::int8_t>(std::min(level, maxVolume(0)));
}

// ---- distances ----
int SettingsStore::metricUnits() const { return bits::get(set_.distanceFlags, 0, 1); }
void SettingsStore::setMetricUnits(int on) { bits::put(set_.distanceFlags, 0, 1, on); }
int SettingsStore::rearSpacing() const { return bits::get(set_.distanceFlags, 1, 2); }
void SettingsStore::setRearSpacing(int choice) { bits::put(set_.distanceFlags, 1, 2, choice); }
int SettingsStore::speakerDistance(int speaker) const { return set_.speakerDistance[speaker]; }
void SettingsStore::setSpeakerDistance(int speaker, int tenths)
{
    set_.speakerDistance[speaker] = static_cast<std::uint16_t>(clampInt(tenths, 0, metricUnits() ? 320 : 990));
}

// ---- zone volumes and mute ----
int SettingsStore::onVolume(int zone) const { return set_.zoneVolume[zone].onVolume; }
void SettingsStore::setOnVolume(int zone, int steps)
{
    auto& v = set_.zoneVolume[zone];
    // The ceiling wins over the floor should the two ever cross.
    v.onVolume = static_cast<std::int16_t>(std::min<int>(std::max<int>(steps, v.volumeFloor), v.maxVolume));
}
int SettingsStore::maxVolume(int zone) const { return set_.zoneVolume[zone].maxVolume; }
void SettingsStore::setMaxVolume(int zone, int steps)
{
    auto& v = set_.zoneVolume[zone];
    const int limited = std::max<int>(std::min(steps, zone == 0 ? 63 : 9), v.volumeFloor);
    v.maxVolume = static_cast<std::int16_t>(limited);
    for (std::int16_t* level : {&v.level1, &v.level2, &v.onVolume})
        if (*level > limited)
            *level = static_cast<std::int16_t>(limited);
}
int SettingsStore::volumeFloor(int zone) const { return set_.zoneVolume[zone].volumeFloor; }
int SettingsStore::furtherLevel(int zone, int which) const
{
    const auto& v = set_.zoneVolume[zone];
    return which == 0 ? v.level1 : v.level2;
}
void SettingsStore::setFurtherLevel(int zone, int which, int steps)
{
    auto& v = set_.zoneVolume[zone];
    (which == 0 ? v.level1 : v.level2) = static_cast<std::int16_t>(steps);
}
int SettingsStore::muteLevel() const { return bits::get(set_.muteLevel, 0, 5); }
void SettingsStore::setMuteLevel(int decibels) { bits::put(set_.muteLevel, 0, 5, decibels); }

// ---- timers ----
int SettingsStore::timerMode(int zone, int timer) const
{
    const int nibble = bits::get(set_.timer[zone].timerModes, timer * 4, 4);
    return (nibble & 3) | (nibble >> 2);
}
void SettingsStore::setTimerMode(int zone, int timer, int mode)
{
    const int v = mode & 3;
    bits::put(set_.timer[zone].timerModes, timer * 4, 4, v | (v << 2));
}
int SettingsStore::timerTimeIndex(int timer, bool off, bool weekend)
{
    return timer + 2 * static_cast<int>(off) + 4 * static_cast<int>(weekend);
}
int SettingsStore::timerHour(int zone, int index) const { return set_.timer[zone].timerTimes[index] >> 8; }
int SettingsStore::timerMinute(int zone, int index) const { return set_.timer[zone].timerTimes[index] & 0xFF; }
void SettingsStore::setTimerTime(int zone, int index, int hour, int minute)
{
    set_.timer[zone].timerTimes[index] = static_cast<std::uint16_t>(((hour & 0xFF) << 8) | (minute & 0xFF));
}
int SettingsStore::timerSource(int zone, int timer) const
{
    return bits::get(set_.timer[zone].timerSource[timer], 0, 4);
}
void SettingsStore::setTimerSource(int zone, int timer, int source)
{
    bits::put(set_.timer[zone].timerSource[timer], 0, 4, source);
}
int SettingsStore::timerStation(int zone, int timer) const
{
    return bits::get(set_.timer[zone].timerStation[timer], 0, 5);
}
void SettingsStore::setTimerStation(int zone, int timer, int preset)
{
    bits::put(set_.timer[zone].timerStation[timer], 0, 5, preset);
}
int SettingsStore::timerVolume(int zone, int timer) const
{
    return static_cast<std::int8_t>(set_.timer[zone].timerVolume[timer]) - 64;
}
void SettingsStore::setTimerVolume(int zone, int timer, int steps)
{
    const int limited = std::min(steps, zone == 0 ? 63 : 8);
    set_.timer[zone].timerVolume[timer] = static_cast<std::uint8_t>(limited + 64);
}
int SettingsStore::clock24Hour() const { return bits::get(set_.timer[0].timerStation[0], 7, 1); }
void SettingsStore::setClock24Hour(int on) { bits::put(set_.timer[0].timerStation[0], 7, 1, on); }
int SettingsStore::timersEnabled() const { return bits::get(set_.timer[0].timerStation[1], 7, 1); }
void SettingsStore::setTimersEnabled(int on) { bits::put(set_.timer[0].timerStation[1], 7, 1, on); }

// ---- triggers, IR, RS-232 ----
int SettingsStore::allTriggers() const { return bits::get(set_.rs232Options, 0, 2); }
void SettingsStore::setAllTriggers(int choice) { bits::put(set_.rs232Options, 0, 2, choice); }
int SettingsStore::flowControl() const { return bits::get(set_.rs232Options, 2, 1); }
void SettingsStore::setFlowControl(int rtsCts) { bits::put(set_.rs232Options, 2, 1, rtsCts); }
int SettingsStore::rs232TxStatus() const { return bits::get(set_.rs232Options, 3, 1); }
void SettingsStore::setRs232TxStatus(int on) { bits::put(set_.rs232Options, 3, 1, on); }
int SettingsStore::rs232BaudChoice() const { return bits::get(set_.rs232Options, 4, 3) - 1; }
void SettingsStore::setRs232BaudChoice(int choice) { bits::put(set_.rs232Options, 4, 3, choice + 1); }
int SettingsStore::irInputs(int receiver) const { return bits::get(set_.irInputs[receiver], 0, 3); }
void SettingsStore::setIrInputs(int receiver, int zoneMask) { bits::put(set_.irInputs[receiver], 0, 3, zoneMask); }
int SettingsStore::triggerMask(int trigger, int column) const { return set_.triggerMask[trigger][column]; }
void SettingsStore::setTriggerMask(int trigger, int column, int mask)
{
    set_.triggerMask[trigger][column] = static_cast<std::uint16_t>(mask);
}

// ---- room resonance ----
int SettingsStore::roomTestToneFreqIndex() const { return (set_.roomTestToneFreq - 18) / 3; }
void SettingsStore::setRoomTestToneFreqIndex(int index)
{
    set_.roomTestToneFreq = static_cast<std::uint8_t>(index * 3 + 18);
}
int SettingsStore::roomTestToneLevel() const { return set_.roomTestToneLevel; }
void SettingsStore::setRoomTestToneLevel(int level)
{
    set_.roomTestToneLevel = static_cast<std::int8_t>(std::min(level, maxVolume(0)));
}
int SettingsStore::roomFilterCenter() const { return set_.roomFilterCenter - 20; }
void SettingsStore::setRoomFilterCenter(int value) { set_.roomFilterCenter = static_cast<std::uint8_t>(value + 20); }
int SettingsStore::roomFilterDepth() const { return set_.roomFilterDepth - 1; }
void SettingsStore::setRoomFilterDepth(int value) { set_.roomFilterDepth = static_cast<std::uint8_t>(value + 1); }
int SettingsStore::roomFilterWidth() const { return bits::get(set_.roomFilterWidth, 0, 7) - 1; }
void SettingsStore::setRoomFilterWidth(int value) { bits::put(set_.roomFilterWidth, 0, 7, value + 1); }
int SettingsStore::applyRoomFilter() const { return bits::get(set_.roomFilterWidth, 7, 1); }
void SettingsStore::setApplyRoomFilter(int on) { bits::put(set_.roomFilterWidth, 7, 1, on); }

}  // namespace velmar
