// The main block of a settings set as older firmware keeps it (versions 0 to 5).
#include <algorithm>

#include "bits.h"
#include "codec_parts.h"
#include "image_codec.h"
#include "image_cursor.h"
#include "legacy_layout.h"

namespace velmar {

namespace {

constexpr int kMusic = 0, kCinema = 1;
constexpr int kFronts = 0, kCenter = 1, kSurrounds = 2, kRears = 3, kSub = 4;

// Version 4 added the per-speaker crossovers, zone names and the tail bytes; 5 the fs byte.
bool hasWideSpeakerLayout(int version) { return version >= 4; }
bool hasComponentByte(int version) { return version >= 2; }
bool hasFsByte(int version) { return version == 5; }

struct BitField {
    int source, shift, width;
};

// Audio-in types: the first byte holds four sources, the second the rest.
constexpr BitField kTypeFieldsA[] = {{0, 6, 2}, {1, 4, 2}, {2, 2, 2}, {4, 0, 2}};
constexpr BitField kTypeFieldsB[] = {{5, 6, 2}, {6, 4, 2}, {7, 2, 2}, {8, 1, 1}, {9, 0, 1}};
// Connector codes: a 16-bit word of five sources, then a byte of two.
constexpr BitField kConnectorFieldsWord[] = {{0, 12, 3}, {1, 9, 3}, {2, 6, 3}, {4, 3, 3}, {5, 0, 3}};
constexpr BitField kConnectorFieldsByte[] = {{6, 3, 3}, {7, 0, 3}};

// Older connector codes 4 and 5 meant "the source's own RCA input" and "none".
constexpr int kOwnRcaConnector[kSourceCount] = {4, 5, 6, 11, 7, 8, 9, 10, 11, 11};
constexpr int kLegacyOwnRca = 4, kLegacyNoConnector = 5, kNoConnector = 11;
constexpr int kLastPlainConnector = 3;

// Older speaker types fold size and dipole into one code; codes past the table keep the size.
struct LegacySpeakerType {
    int cinemaSize;
    bool dipole;
};
constexpr LegacySpeakerType kLegacySpeakerType[] = {
    {0, false}, {1, false}, {2, false}, {1, true}, {2, true}, {0, false}, {1, false}, {2, false},
};
constexpr int kLegacySpeakerTypeCount = static_cast<int>(std::size(kLegacySpeakerType));

constexpr int kOlderCinemaCrossover = 80;
constexpr int kCrossoverCeiling = 160;
constexpr int kQuarterSecondsPerHour = 14400;
constexpr int kQuarterSecondsPerMinute = 240;
constexpr int kFirstFurtherLevelZones = 3;  // Main, Zone 2, Zone 3

void takeTypes(SettingsStore& store, int byte, const auto& fields)
{
    for (const BitField& f : fields)
        store.setAudioInType(f.source, bits::get(static_cast<unsigned>(byte), f.shift, f.width));
}

void takeConnectors(SettingsStore& store, unsigned packed, const auto& fields)
{
    for (const BitField& f : fields) {
        const int code = bits::get(packed, f.shift, f.width);
        if (code <= kLastPlainConnector)
            store.setAudioInConnector(f.source, code);
        else if (code == kLegacyOwnRca)
            store.setAudioInConnector(f.source, kOwnRcaConnector[f.source]);
        else if (code == kLegacyNoConnector)
            store.setAudioInConnector(f.source, kNoConnector);
        // Codes 6 and 7 were never assigned; the connector keeps what it holds.
    }
}

void applySpeakerType(SettingsStore& store, int group, int type)
{
    const bool known = type < kLegacySpeakerTypeCount;
    if (known)
        store.setSpeakerSize(kCinema, group, kLegacySpeakerType[type].cinemaSize);
    const bool dipole = known && kLegacySpeakerType[type].dipole;
    // Bit 3 of the subwoofer group is its own switch: only the dipole codes set it.
    if (group == kSub) {
        if (dipole)
            store.setDipole(group, 1);
        return;
    }
    store.setDipole(group, dipole);
}

int lowByte(int word) { return static_cast<std::int8_t>(word & 0xFF); }

void takeTime(SettingsStore& store, ImageCursor& in, int zone, int index)
{
    const std::uint32_t count = in.takeDword();
    const int hour = static_cast<int>(count / kQuarterSecondsPerHour);
    const int minute = static_cast<int>((count % kQuarterSecondsPerHour) / kQuarterSecondsPerMinute);
    store.setTimerTime(zone, index, hour, minute);
}

// On and off times are kept in the order Timer 1 weekday, Timer 1 weekend, Timer 2 weekday, Timer 2 weekend.
void takeTimes(SettingsStore& store, ImageCursor& in, int zone, bool off)
{
    for (int timer = 0; timer < 2; ++timer)
        for (bool weekend : {false, true})
            takeTime(store, in, zone, SettingsStore::timerTimeIndex(timer, off, weekend));
}

void takeName(Name& name, ImageCursor& in)
{
    for (auto& c : name)
        c = static_cast<char>(in.take());
    name[kNameSize - 1] = 0;
}

void takeAudioInputs(SettingsStore& store, ImageCursor& in)
{
    takeTypes(store, in.take(), kTypeFieldsA);
    takeTypes(store, in.take(), kTypeFieldsB);
    takeConnectors(store, in.takeWord(), kConnectorFieldsWord);
    takeConnectors(store, in.take(), kConnectorFieldsByte);
    auto& s = store.set();
    for (int i = 0; i < kEqCount; ++i) {
        s.eqLow[i] = in.takeSigned();
        s.eqHigh[i] = in.takeSigned();
    }
    s.audioOutFormat = in.take();
    for (auto& level : s.inputLevel)
        level = static_cast<std::int8_t>(lowByte(in.takeWord()));
}

void takeSpeakers(SettingsStore& store, ImageCursor& in, int version)
{
    const int frontsAndSurrounds = in.take();
    const int centerAndRears = in.take();
    const int sub = in.take();
    applySpeakerType(store, kFronts, frontsAndSurrounds & 0x0F);
    applySpeakerType(store, kSurrounds, frontsAndSurrounds >> 4);
    applySpeakerType(store, kCenter, centerAndRears & 0x0F);
    applySpeakerType(store, kRears, centerAndRears >> 4);
    applySpeakerType(store, kSub, sub & 0x7F);

    constexpr int kCrossoverOrder[] = {kFronts, kCenter, kSurrounds, kRears};
    if (hasWideSpeakerLayout(version)) {
        for (int group : kCrossoverOrder)
            store.setCrossover(kCinema, group, std::min((bits::get(in.take(), 0, 5) + 5) * 5, kCrossoverCeiling));
    } else {
        store.setHphoneMutesSpeakers(bits::get(static_cast<unsigned>(sub), 7, 1));
        for (int group : kCrossoverOrder)
            store.setCrossover(kCinema, group, kOlderCinemaCrossover);
    }

    const unsigned mainCrossover = in.take();
    const int hertz = hasWideSpeakerLayout(version) ? (bits::get(mainCrossover, 0, 5) + 5) * 5
                                                    : (bits::get(mainCrossover, 0, 4) + 4) * 10;
    store.setCrossover(kCinema, kSub, hertz);
    store.setMetricUnits(bits::get(mainCrossover, 5, 1));
}

void takeLevelsAndVolumes(SettingsStore& store, ImageCursor& in)
{
    auto& s = store.set();
    // The distance writer limits by the metric flag taken with the crossover just before.
    for (int d = 0; d < kDistanceCount; ++d)
        store.setSpeakerDistance(d, in.takeSignedWord());
    for (auto& delay : s.sourceDelay)
        delay = static_cast<std::uint16_t>(in.take() * 2);
    for (int channel = 0; channel < 8; ++channel)
        s.speakerLevel[channel] = static_cast<std::int8_t>(lowByte(in.takeWord()));
    s.speakerLevel[9] = static_cast<std::int8_t>(std::min(lowByte(in.takeWord()), 0));
    s.noiseReferenceLevel = static_cast<std::int8_t>(lowByte(in.takeWord()));

    for (auto& z : s.zoneVolume)
        z.onVolume = in.takeSignedWord();
    for (int z = 0; z < kFirstFurtherLevelZones; ++z)
        s.zoneVolume[z].level1 = in.takeSignedWord();
    for (auto& z : s.zoneVolume) {
        z.maxVolume = in.takeSignedWord();
        z.level2 = std::min(z.level2, z.maxVolume);
    }
}

void takeDisplays(SettingsStore& store, ImageCursor& in)
{
    auto& d = store.set().displayOptions;
    d[0] = in.take() & 0x0F;
    d[1] = in.take() & 0x33;
    // Each OS Info byte carries the other zone's OS position in its top bits.
    const unsigned mainInfo = in.take();
    d[4] = mainInfo & 0x1F;
    store.setOsPosition(1, bits::get(mainInfo, 5, 2));
    const unsigned zone2Info = in.take();
    d[5] = zone2Info & 0x1F;
    store.setOsPosition(0, bits::get(zone2Info, 5, 2));
    d[3] = in.take() & 0x33;
    in.skip(1);
    for (auto& level : store.set().displayTail)
        level = in.take() & 0x3F;
    store.setFrontPanelWakeUp(in.take() & 0x03);
}

void takeSpeakerOptions(SettingsStore& store, ImageCursor& in, int version)
{
    const unsigned b = in.take();
    if (hasWideSpeakerLayout(version)) {
        store.set().speakerOptions = static_cast<std::uint8_t>(b & 0x7F);
        return;
    }
    store.setCenterEq(bits::get(b, 0, 1));
    store.setTvSizeForEq(bits::get(b, 1, 3));
}

void takeNames(SettingsStore& store, ImageCursor& in, int version)
{
    auto& s = store.set();
    if (!hasWideSpeakerLayout(version))
        store.defaultNames();  // older blocks hold no zone names
    for (auto& name : s.sourceName)
        takeName(name, in);
    if (hasWideSpeakerLayout(version))
        for (auto& name : s.zoneName)
            takeName(name, in);
}

void takeTimers(SettingsStore& store, ImageCursor& in)
{
    const unsigned flags = in.take();
    store.setClock24Hour(bits::get(flags, 0, 1));
    store.setTimersEnabled(bits::get(flags, 1, 1));
    for (int zone = 0; zone < kTimerZoneCount; ++zone) {
        const unsigned modes = in.take();
        store.setTimerMode(zone, 0, bits::get(modes, 0, 2));
        store.setTimerMode(zone, 1, bits::get(modes, 3, 2));
        const int source = in.take();
        const int station = in.take();
        for (int timer = 0; timer < 2; ++timer) {
            store.setTimerSource(zone, timer, source);
            store.setTimerStation(zone, timer, station);
        }
        takeTimes(store, in, zone, false);
    }
    for (int zone = 0; zone < kTimerZoneCount; ++zone)
        takeTimes(store, in, zone, true);
}

void takeComponentVideo(SettingsStore& store, ImageCursor& in)
{
    const int b = in.take();
    const int first = b & 0x0F, second = b >> 4;
    if (first < kSourceCount)
        store.setLegacyComponentVideo(first, 1);
    if (second < kSourceCount)
        store.setLegacyComponentVideo(second, 2);
}

void takeWideTail(SettingsStore& store, ImageCursor& in, int version)
{
    const unsigned rears = in.take();
    store.setTwoUnits(kCinema, kRears, bits::get(rears, 0, 2) != 1);
    store.setRearSpacing(bits::get(rears, 2, 2));
    const unsigned sub = in.take();
    for (int mode : {kMusic, kCinema})
        store.setSubwooferPhase(mode, bits::get(sub, 0, 6));
    store.setThxUltra2Sub(bits::get(sub, 6, 1));
    store.setThxBgCompensation(bits::get(sub, 7, 1));
    if (!hasFsByte(version))
        return;
    const int fs = in.take() & 0x03;
    store.setSixChannelFs(fs);
    store.setTwoChannelFs(fs);
}

}  // namespace

bool decodeLegacyMainBlock(SettingsStore& store, int base)
{
    ImageCursor in(store, base);
    const int version = in.take();
    if (version >= kFirstCurrentLayoutVersion)
        return false;
    takeAudioInputs(store, in);
    takeSpeakers(store, in, version);
    takeLevelsAndVolumes(store, in);
    takeControlInputs(store, in);
    takeDisplays(store, in);
    takeSpeakerOptions(store, in, version);
    takeNames(store, in, version);
    takeTimers(store, in);
    if (hasComponentByte(version))
        takeComponentVideo(store, in);
    if (hasWideSpeakerLayout(version))
        takeWideTail(store, in, version);
    return in.checkWordMatches();
}

}  // namespace velmar
