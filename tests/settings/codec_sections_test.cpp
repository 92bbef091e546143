#include <gtest/gtest.h>

#include <cstring>

#include "codec_test_util.h"
#include "image_codec.h"

namespace velmar {
namespace {

using test::framed;

// A set whose fields differ from the defaults wherever a page can change them.
void editEverything(SettingsStore& s)
{
    for (int i = 0; i < kSourceCount; ++i) {
        s.setSourceName(i, "Src " + std::to_string(i));
        s.setAudioInConnector(i, i);
        s.setInputLevel(i, -i);
        s.setSourceDelay(i, 300 + i);
        s.setSourceRecordBits(i, 3, 0, 8, 0x30 + i);
        s.setModePreset(i, 5, i + 3);
        s.setSVideo(i, (i + 1) & 7);
    }
    for (int i = 0; i < kEqCount; ++i) {
        s.setEqLow(i, 2 * i - 10);
        s.setEqHigh(i, 10 - 2 * i);
    }
    s.setZoneName(1, "Patio");
    s.setZoneName(4, "Tape");
    s.set().audioOutFlags = 0xB6;
    s.set().audioOutFormat = 0xE3;
    for (int m = 0; m < 2; ++m)
        for (int g = 0; g < 5; ++g)
            s.setCrossover(m, g, 40 + 5 * (m * 5 + g));
    s.set().speakerConfig = {0x66, 0x12, 0x2A, 0x51, 0x22};
    for (int c = 0; c < 9; ++c)
        s.setSpeakerLevel(c, c - 4);
    s.setSpeakerLevel(9, -3);
    s.set().bassManagement = {0x45, 0x0A};
    s.set().speakerOptions = 0x5B;
    s.setNoiseReferenceLevel(-7);
    s.setMetricUnits(1);
    s.setRearSpacing(2);
    for (int d = 0; d < 8; ++d)
        s.setSpeakerDistance(d, 10 * d + 7);
    for (int z = 0; z < 4; ++z) {
        s.setMaxVolume(z, z == 0 ? 30 : 5 - z);
        s.setOnVolume(z, -20 - z);
    }
    s.setMuteLevel(25);
    for (int z = 0; z < 3; ++z)
        for (int t = 0; t < 2; ++t) {
            s.setTimerMode(z, t, (z + t) & 3);
            for (int idx = 0; idx < 8; ++idx)
                s.setTimerTime(z, idx, (idx * 3 + z) % 24, (idx * 7 + t) % 60);
            s.setTimerSource(z, t, 9 - t);
            s.setTimerStation(z, t, 20 + t);
            s.setTimerVolume(z, t, -t - 3 * z);
        }
    s.setClock24Hour(1);
    s.set().rs232Options = 0x2D;
    for (int r = 0; r < 4; ++r)
        s.setIrInputs(r, r + 2);
    for (int t = 0; t < 3; ++t)
        for (int c = 0; c < 4; ++c)
            s.setTriggerMask(t, c, 0x101 * (t + 1) + c);
    s.set().displayOptions = {9, 0x21, 0x12, 0x10, 13, 25, 0x91};
    s.setRoomTestToneFreqIndex(4);
    s.setRoomTestToneLevel(-12);
    s.setRoomFilterCenter(55);
    s.setRoomFilterDepth(6);
    s.setRoomFilterWidth(30);
    s.setApplyRoomFilter(1);
    for (int k = 0; k < kPresetCount; ++k) {
        s.setPresetFrequency(k, k < 6 ? 60 + k : 900 + 7 * k);
        if (k >= 6)
            s.setPresetMode(k, k & 3);
    }
}

void transferImage(SettingsStore& from, SettingsStore& to) { to.readImage = from.writeImage; }

TEST(CodecSet, EveryFieldSurvivesEncodeAndDecode)
{
    for (ModelKind kind : {ModelKind::Qrx20, ModelKind::Qrx30, ModelKind::CorvalentD1}) {
        SettingsStore a;
        a.setModelKind(kind);
        prepareStore(a, false);
        editEverything(a);
        if (kind != ModelKind::Qrx30)
            a.set().displayTail = {50, 30, 3};
        a.set().displayOptions[6] = kind == ModelKind::CorvalentD1 ? 0x8B : 0x9D;
        encodeSet(a, kUserBase);

        SettingsStore b;
        b.setModelKind(kind);
        transferImage(a, b);
        prepareStore(b, false);
        b.set().displayOptions[6] = 0x80;  // bit 7 is kept from the store, not the image
        a.set().displayOptions[6] |= 0x80;
        ASSERT_TRUE(decodeSet(b, kUserBase));
        EXPECT_TRUE(a.set() == b.set()) << "model " << static_cast<int>(kind);
        EXPECT_EQ(b.sourceName(7), "Src 7");
        EXPECT_EQ(b.zoneName(1), "Patio");
        EXPECT_EQ(b.presetFrequency(20), 1040);
    }
}

TEST(CodecSet, MainBlockLayout)
{
    SettingsStore s;
    s.setSourceName(0, "ABCDEF");
    s.setZoneName(4, "REC");
    s.setSpeakerDistance(0, 0x123);
    s.setSourceDelay(0, 0x2345);
    s.setMaxVolume(0, 21);
    s.setTriggerMask(0, 0, 0x0456);
    encodeSet(s, kCurrentBase);
    const auto& w = s.writeImage;
    const int b = kCurrentBase;
    EXPECT_EQ(w[b], 13);
    EXPECT_EQ(w[b + 1], s.set().sourceInput[0]);
    EXPECT_EQ(w[b + 2], 0);
    EXPECT_EQ(w[b + 21], 3);
    EXPECT_EQ(w[b + 45], 80);
    EXPECT_EQ(w[b + 55], 0x65);
    EXPECT_EQ(w[b + 72], 0x80);
    EXPECT_EQ(w[b + 75], 0x23);
    EXPECT_EQ(w[b + 76], 0x01);
    EXPECT_EQ(w[b + 91], 0x45);
    EXPECT_EQ(w[b + 92], 0x23);
    EXPECT_EQ(w[b + 111], 21);  // Main maxVolume, then onVolume
    EXPECT_EQ(static_cast<std::int8_t>(w[b + 113]), -70);
    EXPECT_EQ(w[b + 127], 0);  // Main timer modes, then the times
    EXPECT_EQ(w[b + 129], 8);
    EXPECT_EQ(w[b + 196], 0x40);
    EXPECT_EQ(w[b + 197], 0x77);
    EXPECT_EQ(w[b + 199], 0x56);
    EXPECT_EQ(w[b + 200], 0x04);
    EXPECT_EQ(w[b + 223], 5);
    EXPECT_EQ(w[b + 233], 21);
    EXPECT_EQ(w[b + 238], 0x80);
    EXPECT_EQ(std::memcmp(&w[b + 239], "ABCDEF\0", 7), 0);
    EXPECT_EQ(std::memcmp(&w[b + 309 + 28], "REC\0\0\0\0", 7), 0);
    EXPECT_TRUE(framed(w, b, 346));
    EXPECT_TRUE(framed(w, b + kPresetBlockOffset, 45));
    EXPECT_TRUE(framed(w, b + kSourceBlockOffset, 133));
    EXPECT_EQ(w[b + 346], 0) << "nothing written past the block";
}

TEST(CodecSet, DisplayTailByModelAndProgram)
{
    const std::array<std::uint8_t, 3> stored{40, 20, 1};
    struct Case {
        Variant variant;
        ModelKind kind;
        std::array<std::uint8_t, 3> written;
    } cases[] = {
        {Variant::Editor, ModelKind::Qrx30, {15, 10, 5}},
        {Variant::Editor, ModelKind::Undetected, {15, 10, 5}},
        {Variant::Editor, ModelKind::CorvalentD1, stored},
        {Variant::Editor, ModelKind::Qrx20, stored},  // its page edits them
        {Variant::Installer, ModelKind::CorvalentD1, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        SettingsStore s(c.variant);
        s.setModelKind(c.kind);
        s.set().displayTail = stored;
        encodeSet(s, kInstallerBase);
        const std::array<std::uint8_t, 3> tail{s.writeImage[kInstallerBase + 230], s.writeImage[kInstallerBase + 231],
                                               s.writeImage[kInstallerBase + 232]};
        EXPECT_EQ(tail, c.written);
    }
}

TEST(CodecSet, RefusedSectionsFallBackBlockByBlock)
{
    SettingsStore a;
    editEverything(a);
    encodeSet(a, kUserBase);

    {  // a newer main block than we know: the whole set stays at defaults
        SettingsStore b;
        b.readImage = a.writeImage;
        b.readImage[kUserBase] = 14;
        prepareStore(b, false);
        EXPECT_FALSE(decodeSet(b, kUserBase));
        SettingsStore fresh;
        prepareStore(fresh, false);
        EXPECT_TRUE(b.set() == fresh.set());
    }
    {  // a damaged preset block: presets re-stored from what the store held
        SettingsStore b;
        b.readImage = a.writeImage;
        b.readImage[kUserBase + kPresetBlockOffset + 1] = 200;  // 2530 kHz, above the AM band
        prepareStore(b, false);
        EXPECT_TRUE(decodeSet(b, kUserBase));
        EXPECT_EQ(b.sourceName(2), "Src 2");
        EXPECT_EQ(b.presetFrequency(0), 171);
    }
    {  // a damaged source block: source records at their defaults, the rest kept
        SettingsStore b;
        b.readImage = a.writeImage;
        b.readImage[kUserBase + kSourceBlockOffset + 1] ^= 0x10;
        prepareStore(b, false);
        b.set().sourceRecord[0].fill(0xEE);
        EXPECT_TRUE(decodeSet(b, kUserBase));
        SettingsStore fresh;
        EXPECT_EQ(b.set().sourceRecord, fresh.set().sourceRecord);
        EXPECT_EQ(b.presetFrequency(20), 1040);
    }
}

TEST(CodecSet, CheckWordHighByteFirstIsAMismatch)
{
    SettingsStore a;
    editEverything(a);
    encodeSet(a, kCurrentBase);
    auto image = a.writeImage;
    std::swap(image[kCurrentBase + 344], image[kCurrentBase + 345]);
    ASSERT_NE(image[kCurrentBase + 344], image[kCurrentBase + 345]);
    SettingsStore b;
    b.readImage = image;
    EXPECT_FALSE(decodeMainBlock(b, kCurrentBase));
    EXPECT_EQ(b.sourceName(3), "Src 3") << "fields already taken stay";
}

TEST(CodecSet, LegacyFlagReadsWordsHighByteFirst)
{
    SettingsStore a;
    a.setSpeakerDistance(0, 0x0102);
    encodeMainBlock(a, kUserBase);
    // Re-frame the block as an older unit would: every word high byte first.
    auto bytes = test::sectionBytes(a.writeImage, kUserBase, 344);
    auto swapWord = [&bytes](int at) { std::swap(bytes[at], bytes[at + 1]); };
    for (int i = 0; i < 8; ++i)
        swapWord(75 + 2 * i);
    for (int i = 0; i < 10; ++i)
        swapWord(91 + 2 * i);
    for (int i = 0; i < 8; ++i)
        swapWord(111 + 2 * i);
    for (int z = 0; z < 3; ++z)
        for (int i = 0; i < 8; ++i)
            swapWord(128 + 23 * z + 2 * i);
    for (int i = 0; i < 12; ++i)
        swapWord(199 + 2 * i);
    SettingsStore b;
    test::placeSection(b.readImage, kUserBase, bytes, true);
    b.legacyLayout = true;
    ASSERT_TRUE(decodeMainBlock(b, kUserBase));
    EXPECT_EQ(b.speakerDistance(0), 0x0102);
    EXPECT_EQ(b.onVolume(0), -70);
    EXPECT_TRUE(a.set() == b.set());
}

TEST(CodecUnitSections, UnitStateRoundTripAndRules)
{
    SettingsStore a;
    auto& u = a.unit();
    u.unitValue = 0x89ABCDEF;
    u.unitSelect = 5;
    u.stateNibbleA = {1, 2, 3, 4, 5};
    u.stateNibbleB = {1, 2, 3, 4, 5};
    u.tunerBand = 2;
    u.tunerFrequency[0].set(100);
    u.tunerFrequency[3].set(1000);
    u.tunerFlags = 9;
    u.tunerByte = 0x5A;
    u.tunerModes = {1, 2, 3, 0};
    encodeUnitState(a);
    EXPECT_TRUE(framed(a.writeImage, kUnitStateOffset, 25));
    EXPECT_EQ(a.writeImage[kUnitStateOffset + 1], 0xEF);
    EXPECT_EQ(a.writeImage[kUnitStateOffset + 11], 0x20);
    EXPECT_EQ(a.writeImage[kUnitStateOffset + 22], (1 << 6) | (2 << 4) | (3 << 2));

    SettingsStore b;
    b.readImage = a.writeImage;
    ASSERT_TRUE(decodeUnitState(b));
    EXPECT_TRUE(a.unit() == b.unit());

    // The decoder masks and clamps what a damaged or foreign unit may hold.
    auto bytes = test::sectionBytes(a.writeImage, kUnitStateOffset, 23);
    bytes[5] = 0xFF;   // unitSelect
    bytes[6] = 0x7C;   // nibble B is taken from the low nibble too
    bytes[12] = 0x10;  // AM frequency 16 → 53
    bytes[13] = 0x00;
    bytes[20] = 0xFF;  // tunerFlags
    test::placeSection(b.readImage, kUnitStateOffset, bytes);
    ASSERT_TRUE(decodeUnitState(b));
    EXPECT_EQ(b.unit().unitSelect, 7);
    EXPECT_EQ(b.unit().stateNibbleA[0], 0xC);
    EXPECT_EQ(b.unit().stateNibbleB[0], 0xC);
    EXPECT_EQ(b.unit().tunerFrequency[0].value, 53);
    EXPECT_EQ(b.unit().tunerFlags, 15);

    b.readImage[kUnitStateOffset] = 4;
    EXPECT_FALSE(decodeUnitState(b));
}

TEST(CodecUnitSections, ModeTableVersionsAndClamps)
{
    SettingsStore a;
    auto& u = a.unit();
    for (int i = 0; i < 14; ++i)
        u.modeLevels[i].set(i - 7);
    for (int r = 0; r < 6; ++r)
        for (int i = 0; i < 14; ++i)
            u.modeRecords[r].body[i] = static_cast<std::int8_t>(-(i % 5));
    u.modeTrims[8].set(-10);
    encodeModeTable(a);
    EXPECT_TRUE(framed(a.writeImage, kModeTableOffset, 146));
    SettingsStore b;
    b.readImage = a.writeImage;
    ASSERT_TRUE(decodeModeTable(b));
    EXPECT_TRUE(a.unit() == b.unit());

    // Version 2: 18 bytes a record; the two missing body bytes become 0.
    std::vector<std::uint8_t> v2{2};
    for (int i = 0; i < 14; ++i)
        v2.push_back(static_cast<std::uint8_t>(i == 2 ? 30 : 1));
    for (int r = 0; r < 6; ++r)
        for (int i = 0; i < 18; ++i)
            v2.push_back(static_cast<std::uint8_t>(r == 5 ? 5 : i + 1));
    for (int i = 0; i < 9; ++i)
        v2.push_back(static_cast<std::uint8_t>(-20));
    SettingsStore c;
    c.unit().modeRecords[0].body[5] = 9;
    test::placeSection(c.readImage, kModeTableOffset, v2);
    ASSERT_TRUE(decodeModeTable(c));
    const auto& rec = c.unit().modeRecords[0];
    EXPECT_EQ(rec.head[5], 6);
    EXPECT_EQ(rec.body[4], 11);
    EXPECT_EQ(rec.body[5], 0);
    EXPECT_EQ(rec.body[6], 0);
    EXPECT_EQ(rec.body[7], 12);
    EXPECT_EQ(rec.body[13], 18);
    EXPECT_EQ(c.unit().modeRecords[5].body[0], 0) << "record 5 reaches at most 0";
    EXPECT_EQ(c.unit().modeLevels[2].value, 20);
    EXPECT_EQ(c.unit().modeTrims[0].value, -7);
    EXPECT_EQ(c.unit().modeTrims[8].value, -10);
}

TEST(CodecUnitSections, SystemCodes)
{
    SettingsStore a;
    auto& u = a.unit();
    u.systemCodeFlags = 0x07;
    encodeSystemCodes(a);
    EXPECT_EQ(a.writeImage[kSystemCodesOffset + 1], 0x06) << "no codes, no bit 0";
    std::memcpy(u.systemCodeA.data(), "AB12", 4);
    u.systemCodeFlags = 0x05;
    encodeSystemCodes(a);
    EXPECT_TRUE(framed(a.writeImage, kSystemCodesOffset, 12));

    SettingsStore b;
    b.unit().systemCodeFlags = 0x11;
    b.readImage = a.writeImage;
    ASSERT_TRUE(decodeSystemCodes(b));
    EXPECT_EQ(b.unit().systemCodeFlags, 0x15);
    EXPECT_STREQ(b.unit().systemCodeA.data(), "AB12");

    b.readImage[kSystemCodesOffset + 3] ^= 1;
    EXPECT_FALSE(decodeSystemCodes(b));
    EXPECT_EQ(b.unit().systemCodeFlags, 0);
    EXPECT_EQ(b.unit().systemCodeA[0], 0);
}

TEST(CodecUnitSections, IdentificationString)
{
    SettingsStore a;
    writeIdentString(a, "ABCDEFGH");
    EXPECT_EQ(test::storedCheck(a.writeImage, kIdentOffset, 10), test::sumOf(a.writeImage, kIdentOffset, 8))
        << "eight characters: no terminator, check word at 0x048";
    SettingsStore b;
    b.readImage = a.writeImage;
    EXPECT_TRUE(readIdentString(b));
    EXPECT_STREQ(b.unit().identString.data(), "ABCDEFGH");

    writeIdentString(a, "XY\nZ");
    EXPECT_EQ(a.writeImage[kIdentOffset + 2], 0);
    b.readImage = a.writeImage;
    std::swap(b.readImage[kIdentOffset + 3], b.readImage[kIdentOffset + 4]);  // either byte order passes
    EXPECT_TRUE(readIdentString(b));
    EXPECT_STREQ(b.unit().identString.data(), "XY");

    writeIdentString(a, kDefaultIdentString);
    b.readImage = a.writeImage;
    EXPECT_FALSE(readIdentString(b)) << "the default string counts as none";

    b.readImage[kIdentOffset] = 'Q';
    b.writeImage.fill(0);
    EXPECT_FALSE(readIdentString(b));
    EXPECT_STREQ(b.unit().identString.data(), kDefaultIdentString);
    EXPECT_EQ(b.writeImage[kIdentOffset], '0') << "the substitute is written";
}

}  // namespace
}  // namespace velmar
