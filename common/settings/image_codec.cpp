#include "image_codec.h"

#include <algorithm>
#include <cstring>

#include "bits.h"
#include "codec_parts.h"
#include "image_cursor.h"
#include "legacy_layout.h"

namespace velmar {

namespace {

constexpr int kMusic = 0, kCinema = 1;
constexpr int kRecordSize = 20;
constexpr int kVersion2RecordSize = 18;

bool versionAccepted(int version, int newest) { return version <= newest; }

// Versions up to 8 keep one byte of lip-sync delay per source.
bool hasWordDelays(int version) { return version > 8; }
// Versions 8 to 12 left out the three brightness bytes.
bool hasDisplayTail(int version) { return version <= 7 || version == kNewestVersion; }

void takeDisplays(SettingsStore& store, ImageCursor& in, int version)
{
    auto& d = store.set().displayOptions;
    d[0] = in.take() & 0x0F;
    for (int i = 1; i <= 3; ++i)
        d[i] = in.take() & 0x33;
    for (int i = 4; i <= 5; ++i)
        d[i] = in.take() & 0x1F;

    int wake = in.take();
    const bool corvalent = store.isCorvalentLayout();
    if (version <= 7 && !corvalent) {
        // Older blocks kept the wake-up choice one bit lower.
        wake = (wake & 0x03) | (bits::get(static_cast<unsigned>(wake), 2, 2) << 3);
    }
    d[6] = static_cast<std::uint8_t>((d[6] & 0x80) | (wake & (corvalent ? 0x0F : 0x1F)));

    if (!hasDisplayTail(version))
        return;
    for (auto& level : store.set().displayTail) {
        const int b = in.take() & 0x3F;
        if (store.carriesBrightness())
            level = static_cast<std::uint8_t>(b);
    }
}

void putDisplayTail(const SettingsStore& store, ImageCursor& out)
{
    for (int i = 0; i < kDisplayTailCount; ++i) {
        int value = 0;
        if (store.variant() == Variant::Editor)
            value = store.carriesBrightness() ? store.set().displayTail[i] : (15 - 5 * i);
        out.put(value);
    }
}

void takeName(Name& name, ImageCursor& in)
{
    for (auto& c : name)
        c = static_cast<char>(in.take());
}

void putName(const Name& name, ImageCursor& out)
{
    for (char c : name)
        out.put(static_cast<unsigned char>(c));
}

void takeMainBody(SettingsStore& store, ImageCursor& in, int version)
{
    auto& s = store.set();
    for (int i = 0; i < kSourceCount; ++i) {
        s.sourceInput[i] = in.take();
        s.inputLevel[i] = in.takeSigned();
    }
    s.audioOutFlags = in.take();
    s.audioOutFormat = in.take();
    for (int i = 0; i < kEqCount; ++i) {
        s.eqLow[i] = in.takeSigned();
        s.eqHigh[i] = in.takeSigned();
    }
    for (int g = 0; g < kSpeakerGroupCount; ++g) {
        s.crossover[kMusic][g] = in.take();
        s.crossover[kCinema][g] = in.take();
    }
    for (auto& c : s.speakerConfig)
        c = in.take();
    for (auto& l : s.speakerLevel)
        l = in.takeSigned();
    for (auto& b : s.bassManagement)
        b = in.take();
    s.speakerOptions = in.take();
    s.noiseReferenceLevel = in.takeSigned();
    if (s.speakerLevel[9] > 0)
        s.speakerLevel[9] = 0;
    store.applySpeakerRules(kMusic);
    store.applySpeakerRules(kCinema);

    s.distanceFlags = in.take();
    for (auto& d : s.speakerDistance)
        d = in.takeWord();
    for (auto& d : s.sourceDelay)
        d = hasWordDelays(version) ? in.takeWord() : in.take();
    for (auto& z : s.zoneVolume) {
        z.maxVolume = in.takeSignedWord();
        z.onVolume = in.takeSignedWord();
    }
    for (auto& t : s.timer) {
        t.timerModes = in.take();
        for (auto& time : t.timerTimes)
            time = in.takeWord();
        for (auto& b : t.timerSource)
            b = in.take();
        for (auto& b : t.timerStation)
            b = in.take();
        for (auto& b : t.timerVolume)
            b = in.take();
    }
    takeControlInputs(store, in);
    takeDisplays(store, in, version);
    s.roomTestToneFreq = in.take();
    s.roomTestToneLevel = in.takeSigned();
    s.roomFilterCenter = in.take();
    s.roomFilterDepth = in.take();
    s.roomFilterWidth = in.take();
    s.muteLevel = in.take();
    for (auto& name : s.sourceName)
        takeName(name, in);
    for (auto& name : s.zoneName)
        takeName(name, in);
}

void takeModeRecord(ModeRecord& record, ImageCursor& in, bool version2)
{
    auto clamped = [&record](std::int8_t v) { return static_cast<std::int8_t>(record.header.clamped(v)); };
    for (auto& h : record.head)
        h = clamped(in.takeSigned());
    if (!version2) {
        for (auto& b : record.body)
            b = clamped(in.takeSigned());
        return;
    }
    for (int i = 0; i < 5; ++i)
        record.body[i] = clamped(in.takeSigned());
    record.body[5] = 0;
    record.body[6] = 0;
    for (int i = 7; i < 14; ++i)
        record.body[i] = clamped(in.takeSigned());
}

}  // namespace

void takeUnitValues(UnitFields& u, ImageCursor& in)
{
    u.unitValue = in.takeDword();
    u.unitSelect = in.take() & 0x07;
    for (int i = 0; i < 5; ++i) {
        const auto nibble = static_cast<std::uint8_t>(in.take() & 0x0F);
        u.stateNibbleA[i] = nibble;
        u.stateNibbleB[i] = nibble;
    }
}

void takeControlInputs(SettingsStore& store, ImageCursor& in)
{
    auto& s = store.set();
    s.rs232Options = in.take();
    // The installer's firmware needs a rate; 19200 is the unit's own.
    if (store.variant() == Variant::Installer && store.rs232BaudChoice() < 0)
        store.setRs232BaudChoice(3);
    for (int pair = 0; pair < 2; ++pair) {
        const int b = in.take();
        s.irInputs[pair * 2] = static_cast<std::uint8_t>(b & 0x07);
        s.irInputs[pair * 2 + 1] = static_cast<std::uint8_t>((b >> 4) & 0x07);
    }
    for (auto& trigger : s.triggerMask)
        for (auto& mask : trigger)
            mask = in.takeWord();
}

bool encodeMainBlock(SettingsStore& store, int base)
{
    const auto& s = store.set();
    ImageCursor out(store, base);
    out.put(kNewestVersion);
    for (int i = 0; i < kSourceCount; ++i) {
        out.put(s.sourceInput[i]);
        out.put(s.inputLevel[i]);
    }
    out.put(s.audioOutFlags);
    out.put(s.audioOutFormat);
    for (int i = 0; i < kEqCount; ++i) {
        out.put(s.eqLow[i]);
        out.put(s.eqHigh[i]);
    }
    for (int g = 0; g < kSpeakerGroupCount; ++g) {
        out.put(s.crossover[kMusic][g]);
        out.put(s.crossover[kCinema][g]);
    }
    for (auto c : s.speakerConfig)
        out.put(c);
    for (auto l : s.speakerLevel)
        out.put(l);
    for (auto b : s.bassManagement)
        out.put(b);
    out.put(s.speakerOptions);
    out.put(s.noiseReferenceLevel);
    out.put(s.distanceFlags);
    for (auto d : s.speakerDistance)
        out.putWord(d);
    for (auto d : s.sourceDelay)
        out.putWord(d);
    for (const auto& z : s.zoneVolume) {
        out.putWord(z.maxVolume);
        out.putWord(z.onVolume);
    }
    for (const auto& t : s.timer) {
        out.put(t.timerModes);
        for (auto time : t.timerTimes)
            out.putWord(time);
        for (auto b : t.timerSource)
            out.put(b);
        for (auto b : t.timerStation)
            out.put(b);
        for (auto b : t.timerVolume)
            out.put(b);
    }
    out.put(s.rs232Options);
    out.put((s.irInputs[0] & 0x07) | ((s.irInputs[1] & 0x07) << 4));
    out.put((s.irInputs[2] & 0x07) | ((s.irInputs[3] & 0x07) << 4));
    for (const auto& trigger : s.triggerMask)
        for (auto mask : trigger)
            out.putWord(mask);
    for (auto d : s.displayOptions)
        out.put(d);
    putDisplayTail(store, out);
    out.put(s.roomTestToneFreq);
    out.put(s.roomTestToneLevel);
    out.put(s.roomFilterCenter);
    out.put(s.roomFilterDepth);
    out.put(s.roomFilterWidth);
    out.put(s.muteLevel);
    for (const auto& name : s.sourceName)
        putName(name, out);
    for (const auto& name : s.zoneName)
        putName(name, out);
    out.putCheckWord();
    return true;
}

bool decodeMainBlock(SettingsStore& store, int base)
{
    const int version = store.readImage[base];
    if (!versionAccepted(version, kNewestVersion))
        return false;
    if (version < kFirstCurrentLayoutVersion)
        return decodeLegacyMainBlock(store, base);
    ImageCursor in(store, base);
    in.take();
    takeMainBody(store, in, version);
    return in.checkWordMatches();
}

bool encodePresets(SettingsStore& store, int offset)
{
    const auto& s = store.set();
    ImageCursor out(store, offset);
    out.put(kNewestVersion);
    for (int k = 0; k < kPresetCount; ++k) {
        out.put(s.presetOffset[k]);
        if (SettingsStore::presetBank(k) > 0)
            out.put(s.presetMode[k] & 0x03);
    }
    out.putCheckWord();
    return true;
}

bool decodePresets(SettingsStore& store, int offset)
{
    ImageCursor in(store, offset);
    const int version = in.take();
    if (!versionAccepted(version, kNewestVersion))
        return false;
    auto& s = store.set();
    for (int k = 0; k < kPresetCount; ++k) {
        const bool fm = SettingsStore::presetBank(k) > 0;
        if (version < kFirstCurrentLayoutVersion) {
            // Older blocks hold whole frequencies; the writer turns them into offsets.
            const int frequency = in.takeWord();
            store.setPresetFrequency(k, fm ? frequency & 0x7FFF : frequency);
            continue;
        }
        s.presetOffset[k] = in.take();
        if (fm)
            s.presetMode[k] = in.take() & 0x03;
    }
    return in.checkWordMatches();
}

bool encodeSources(SettingsStore& store, int offset)
{
    ImageCursor out(store, offset);
    out.put(kNewestVersion);
    for (const auto& record : store.set().sourceRecord)
        for (auto b : record)
            out.put(b);
    out.putCheckWord();
    return true;
}

bool decodeSources(SettingsStore& store, int offset)
{
    ImageCursor in(store, offset);
    const int version = in.take();
    if (!versionAccepted(version, kNewestVersion))
        return false;
    auto& s = store.set();
    if (version <= 9) {
        for (auto& record : s.legacySourceRecord)
            for (auto& b : record)
                b = in.take();
        if (!in.checkWordMatches())
            return false;
        convertLegacySourceRecords(store);
        return true;
    }
    // Versions 10 and 11 lack the video byte, which keeps its default.
    const int bytes = version <= 11 ? kSourceRecordSize - 1 : kSourceRecordSize;
    for (auto& record : s.sourceRecord)
        for (int i = 0; i < bytes; ++i)
            record[i] = in.take();
    return in.checkWordMatches();
}

void defaultAllSourceRecords(SettingsStore& store)
{
    store.defaultLegacySourceRecords();
    store.defaultSourceRecords();
}

bool encodeSet(SettingsStore& store, int base)
{
    encodeMainBlock(store, base);
    encodePresets(store, base + kPresetBlockOffset);
    encodeSources(store, base + kSourceBlockOffset);
    return true;
}

bool decodeSet(SettingsStore& store, int base, SetDecodeReport* report)
{
    SetDecodeReport local;
    SetDecodeReport& r = report ? *report : local;
    r = {};
    r.mainBlock = decodeMainBlock(store, base);
    if (!r.mainBlock)
        return false;
    r.presets = decodePresets(store, base + kPresetBlockOffset);
    if (!r.presets)
        store.restorePresetsFromFrequencies();
    // The set's own main block tells the layout of its source records: an image may hold sets
    // of both layouts. The image-wide flag decides the byte order only.
    if (store.readImage[base] >= kFirstCurrentLayoutVersion) {
        r.sources = decodeSources(store, base + kSourceBlockOffset);
    } else {
        defaultAllSourceRecords(store);
        r.sources = decodeLegacySourceSection(store);
    }
    if (!r.sources)
        defaultAllSourceRecords(store);
    return true;
}

bool encodeUnitState(SettingsStore& store)
{
    const auto& u = store.unit();
    ImageCursor out(store, kUnitStateOffset);
    out.put(kNewestUnitVersion);
    out.putDword(u.unitValue);
    out.put(u.unitSelect & 0x07);
    for (int i = 0; i < 5; ++i)
        out.put((u.stateNibbleA[i] & 0x0F) | ((u.stateNibbleB[i] & 0x0F) << 4));
    out.put((u.tunerBand & 0x03) << 4);
    for (const auto& f : u.tunerFrequency)
        out.putWord(static_cast<std::uint16_t>(f.value));
    out.put(u.tunerFlags);
    out.put(u.tunerByte);
    int modes = 0;
    for (int i = 0; i < kTunerBankCount; ++i)
        modes |= (u.tunerModes[i] & 0x03) << (6 - 2 * i);
    out.put(modes);
    out.putCheckWord();
    return true;
}

bool decodeUnitState(SettingsStore& store)
{
    auto& u = store.unit();
    ImageCursor in(store, kUnitStateOffset);
    if (!versionAccepted(in.take(), kNewestUnitVersion))
        return false;
    takeUnitValues(u, in);
    u.tunerBand = (in.take() >> 4) & 0x03;
    for (auto& f : u.tunerFrequency)
        f.set(in.takeSignedWord());
    u.tunerFlags = in.take() & 0x0F;
    u.tunerByte = in.take();
    const int modes = in.take();
    for (int i = 0; i < kTunerBankCount; ++i)
        u.tunerModes[i] = (modes >> (6 - 2 * i)) & 0x03;
    return in.checkWordMatches();
}

bool encodeModeTable(SettingsStore& store)
{
    const auto& u = store.unit();
    ImageCursor out(store, kModeTableOffset);
    out.put(kNewestUnitVersion);
    for (const auto& level : u.modeLevels)
        out.put(level.value);
    for (const auto& record : u.modeRecords) {
        for (auto h : record.head)
            out.put(h);
        for (auto b : record.body)
            out.put(b);
    }
    for (const auto& trim : u.modeTrims)
        out.put(trim.value);
    out.putCheckWord();
    return true;
}

bool decodeModeTable(SettingsStore& store)
{
    auto& u = store.unit();
    ImageCursor in(store, kModeTableOffset);
    const int version = in.take();
    if (!versionAccepted(version, kNewestUnitVersion))
        return false;
    for (auto& level : u.modeLevels)
        level.set(in.takeSigned());
    for (auto& record : u.modeRecords)
        takeModeRecord(record, in, version == 2);
    for (auto& trim : u.modeTrims)
        trim.set(in.takeSigned());
    return in.checkWordMatches();
}

bool encodeSystemCodes(SettingsStore& store)
{
    auto& u = store.unit();
    if (u.systemCodeA[0] == 0 && u.systemCodeB[0] == 0)
        u.systemCodeFlags &= ~1u;
    ImageCursor out(store, kSystemCodesOffset);
    out.put(kNewestVersion);
    out.put(u.systemCodeFlags);
    for (int i = 0; i < 4; ++i)
        out.put(static_cast<unsigned char>(u.systemCodeA[i]));
    for (int i = 0; i < 4; ++i)
        out.put(static_cast<unsigned char>(u.systemCodeB[i]));
    out.putCheckWord();
    return true;
}

bool decodeSystemCodes(SettingsStore& store)
{
    auto& u = store.unit();
    ImageCursor in(store, kSystemCodesOffset);
    const bool accepted = [&] {
        if (!versionAccepted(in.take(), kNewestVersion))
            return false;
        u.systemCodeFlags = static_cast<std::uint8_t>((u.systemCodeFlags & ~1u) | in.take());
        for (int i = 0; i < 4; ++i)
            u.systemCodeA[i] = static_cast<char>(in.take());
        for (int i = 0; i < 4; ++i)
            u.systemCodeB[i] = static_cast<char>(in.take());
        u.systemCodeA[4] = 0;
        u.systemCodeB[4] = 0;
        if (u.systemCodeA[0] == 0 && u.systemCodeB[0] == 0)
            u.systemCodeFlags &= ~1u;
        return in.checkWordMatches();
    }();
    if (!accepted)
        store.defaultSystemCodes();
    return accepted;
}

bool readIdentString(SettingsStore& store)
{
    auto& ident = store.unit().identString;
    ident.fill(0);
    ImageCursor in(store, kIdentOffset);
    int length = 0;
    while (length < 8) {
        const std::uint8_t c = in.take();
        if (c == 0)
            break;
        ident[length++] = static_cast<char>(c);
    }
    if (!in.checkWordMatchesEitherOrder()) {
        writeIdentString(store, kDefaultIdentString);
        return false;
    }
    return std::strcmp(ident.data(), kDefaultIdentString) != 0;
}

void writeIdentString(SettingsStore& store, const std::string& text)
{
    auto& ident = store.unit().identString;
    ident.fill(0);
    ImageCursor out(store, kIdentOffset);
    int length = 0;
    for (char c : text) {
        if (length == 8 || c == '\n' || c == 0)
            break;
        ident[length++] = c;
        out.put(static_cast<unsigned char>(c));
    }
    if (length < 8)
        out.put(0);
    out.putCheckWord();
}

void prepareStore(SettingsStore& store, bool fromImage)
{
    auto& u = store.unit();
    const bool legacy = store.legacyLayout;
    bool unitStateTaken = false;
    if (fromImage)
        unitStateTaken = legacy ? decodeLegacyUnitState(store) : decodeUnitState(store);
    if (!unitStateTaken) {
        store.defaultUnitState();
        if (fromImage) {
            u.unitValue = 0;
            u.unitSelect = 0;
        }
    }
    encodeUnitState(store);

    // Defaults in full: a set refused after another was decoded must not keep that set's presets.
    if (!fromImage)
        store.defaultTunerPresets();
    if (!fromImage || !decodeMainBlock(store, kCurrentBase))
        store.defaultMainBlock();
    if (!(fromImage && decodePresets(store, kCurrentBase + kPresetBlockOffset)))
        store.restorePresetsFromFrequencies();

    defaultAllSourceRecords(store);
    if (fromImage) {
        const bool taken = legacy ? decodeLegacySourceSection(store)
                                  : decodeSources(store, kCurrentBase + kSourceBlockOffset);
        if (!taken)
            defaultAllSourceRecords(store);
    }

    u.systemCodeFlags &= ~3u;

    if (fromImage && !legacy && decodeModeTable(store))
        return;
    store.defaultModeTable();
    encodeModeTable(store);
}

void copyReadToWrite(SettingsStore& store) { store.writeImage = store.readImage; }

void saveUnitArea(SettingsStore& store)
{
    std::copy(store.writeImage.begin() + kUnitAreaBegin, store.writeImage.begin() + kUnitAreaEnd,
              store.savedUnitArea.begin());
}

void restoreUnitArea(SettingsStore& store)
{
    std::copy(store.savedUnitArea.begin(), store.savedUnitArea.end(), store.writeImage.begin() + kUnitAreaBegin);
}

bool detectLegacyLayout(const SettingsStore& store)
{
    return store.readImage[kCurrentBase] < kFirstCurrentLayoutVersion;
}

}  // namespace velmar
