// The older per-source records: the source section at 0x840, source blocks of versions 0 to
// 9, and the translation of each record into a current one, worked through by hand.
#include <gtest/gtest.h>

#include "image_codec.h"
#include "legacy_image_builder.h"
#include "legacy_layout.h"
#include "settings_store.h"

namespace velmar {
namespace {

using test::SectionWriter;

constexpr int kSourceBlock = kCurrentBase + kSourceBlockOffset;

// A source block of version 9 in the current layout: eight legacy bytes per source, low byte
// first check word.
void writeVersion9Block(Image& image, const std::array<LegacySourceRecord, kSourceCount>& records)
{
    int pos = kSourceBlock;
    int sum = 9;
    image[pos++] = 9;
    for (const auto& r : records)
        for (auto b : r) {
            image[pos++] = b;
            sum += b;
        }
    image[pos++] = static_cast<std::uint8_t>(sum & 0xFF);
    image[pos] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
}

struct Expected {
    int source;
    LegacySourceRecord legacy;
    std::array<int, 12> bytes;  // bytes 0-11 of the current record
};

// Each worked through the translation steps by hand; the comments name the branches taken.
const Expected kCases[] = {
    // Lookups that hit: 2-ch (4, 1) → 5, DD-2.0 (4, 0) → 4, DTS-5.1 (4, 3) → 11, DD-5.1 (0, 3) → 6.
    {0,
     {0x5B, 0x62, 0x45, 0xA6, 0x21, 0x4D, 0x4A, 0x63},
     {0x5B, 0x62, 0x03, 0x47, 0x14, 0x51, 0xA5, 0x24, 0x66, 0x0B, 0x61, 0x0C}},
    // Every "3" branch; nibbles past 14 and widened options past 7 leave their fields alone.
    {0,
     {0x00, 0x00, 0xFF, 0xFC, 0xE2, 0xC0, 0xFF, 0xF0},
     {0x00, 0x00, 0x00, 0xE2, 0x00, 0x50, 0xE2, 0x13, 0x10, 0x10, 0x11, 0x12}},
    // The "0" branches: L7's high nibble 5 skips to 7 for byte 3 and the DD-2.0 lookup.
    {5,
     {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x50},
     {0x00, 0x00, 0x00, 0x70, 0x00, 0x50, 0x00, 0x09, 0x00, 0x00, 0x00, 0x0C}},
};

TEST(LegacySourceRecords, Version9BlockIsTranslatedRecordByRecord)
{
    for (const auto& c : kCases) {
        SettingsStore store;
        auto records = store.set().legacySourceRecord;
        records[c.source] = c.legacy;
        writeVersion9Block(store.readImage, records);
        defaultAllSourceRecords(store);
        const auto videoByte = store.set().sourceRecord[c.source][12];
        ASSERT_TRUE(decodeSources(store, kSourceBlock));
        const auto& r = store.set().sourceRecord[c.source];
        for (int b = 0; b < 12; ++b)
            EXPECT_EQ(r[b], c.bytes[b]) << "source " << c.source << " byte " << b;
        EXPECT_EQ(r[12], videoByte) << "the video byte keeps its default";
    }
}

TEST(LegacySourceRecords, DefaultLegacyRecordsTranslateToTheirPresets)
{
    SettingsStore store;
    defaultAllSourceRecords(store);
    convertLegacySourceRecords(store);
    // DVD: L2 = 34 gives the 2-ch lookup (2, 0) → 2 and byte 3's low nibble 2.
    EXPECT_EQ(store.modePreset(0, 0), 2);
    EXPECT_EQ(store.sourceRecordBits(0, 3, 0, 4), 2);
    // CD: high nibble 1 → "VelmarLogic-Music".
    EXPECT_EQ(store.modePreset(1, 0), 1);
    EXPECT_EQ(store.componentVideo(1), 1);
    EXPECT_EQ(store.componentVideo(5), 2);
}

class LegacySourceSectionTest : public ::testing::Test {
protected:
    // Source 2 carries the interesting bytes; every other source carries zeros.
    void write(int version, int damage = 0)
    {
        SectionWriter w(store.readImage, kLegacySourceOffset);
        w.byte(version);
        for (int i = 0; i < kSourceCount; ++i) {
            const bool marked = i == 2;
            w.byte(0xFF);                       // not kept
            w.byte(marked ? (3 << 2) | 2 : 0);  // L2 low nibble 3; current byte 1 bits 3-4 = 2
            w.byte(0xFF);                       // not kept
            if (version < 4)
                continue;
            w.byte(marked ? 0x5B : 0);  // L0
            w.byte(marked ? 0xFD : 0);  // L1 low three bits 5
        }
        w.checkWord(damage);
        store.legacyLayout = true;
        defaultAllSourceRecords(store);
    }
    SettingsStore store;
};

TEST_F(LegacySourceSectionTest, Version5FillsTheLegacyRecordsAndTranslatesThem)
{
    write(5);
    ASSERT_TRUE(decodeLegacySourceSection(store));
    const auto& r = store.set().sourceRecord[2];
    EXPECT_EQ(r[0], 0x5B);
    // Default L1 34 with low bits 5 and, kept through the translation, bits 3-4 = 2.
    EXPECT_EQ(r[1], 0x35);
    EXPECT_EQ(store.sourceRecordBits(2, 3, 0, 4), 3);
}

TEST_F(LegacySourceSectionTest, Version3HasThreeBytesPerSource)
{
    write(3);
    ASSERT_TRUE(decodeLegacySourceSection(store));
    const auto& r = store.set().sourceRecord[2];
    EXPECT_EQ(r[0], 27);    // L0 keeps its default
    EXPECT_EQ(r[1], 0x32);  // 34 with bits 3-4 = 2
    EXPECT_EQ(store.sourceRecordBits(2, 3, 0, 4), 3);
}

TEST_F(LegacySourceSectionTest, RefusedForNewerVersionsAndDamagedCheckWords)
{
    write(6);
    EXPECT_FALSE(decodeLegacySourceSection(store));
    write(5, 1);
    EXPECT_FALSE(decodeLegacySourceSection(store));
}

TEST(LegacyUnitState, SectionAt0x880)
{
    SettingsStore store;
    SectionWriter w(store.readImage, kLegacyUnitStateOffset);
    w.byte(3);
    w.dword(0x12345678);
    w.byte(0xFD);
    for (int v : {0x21, 0x43, 0x65, 0x87, 0xA9})
        w.byte(v);
    w.byte(0x2E);  // unit value 6 below the wake-up field; tuner band 2
    for (int f : {100, 2000, 900, 1000})
        w.word(f);
    for (int i = 0; i < 14; ++i)
        w.byte(i == 2 ? 0xE2 : 4);  // -30 is outside entry 2's range
    for (int i = 0; i < 36; ++i)
        w.byte(0x55);
    for (int i = 0; i < 9; ++i)
        w.byte(i == 0 ? 9 : 1);
    w.byte(0xFA);
    w.byte(0xB7);  // modes 3, tuner byte 0x2D
    w.checkWord();
    store.legacyLayout = true;
    ASSERT_TRUE(decodeLegacyUnitState(store));

    const auto& u = store.unit();
    EXPECT_EQ(u.unitValue, 0x12345678u);
    EXPECT_EQ(u.unitSelect, 5);
    EXPECT_EQ(u.stateNibbleA, (std::array<std::uint8_t, 5>{1, 3, 5, 7, 9}));
    EXPECT_EQ(u.stateNibbleB, u.stateNibbleA);
    EXPECT_EQ(store.displayUnitValue(), 6);
    EXPECT_EQ(u.tunerBand, 2);
    EXPECT_EQ(u.tunerFrequency[0].value, 100);
    EXPECT_EQ(u.tunerFrequency[1].value, 1079);  // clamped
    EXPECT_EQ(u.tunerFrequency[2].value, 900);
    EXPECT_EQ(u.modeLevels[0].value, 4);
    EXPECT_EQ(u.modeLevels[2].value, -20);
    EXPECT_EQ(u.modeTrims[0].value, 7);
    EXPECT_EQ(u.modeTrims[8].value, 1);
    EXPECT_EQ(u.tunerFlags, 0x0A);
    EXPECT_EQ(u.tunerModes[0], 0);
    for (int bank = 1; bank < 4; ++bank)
        EXPECT_EQ(u.tunerModes[bank], 3);
    EXPECT_EQ(u.tunerByte, 0x2D);
}

TEST(LegacyUnitState, RefusedAboveVersion3)
{
    SettingsStore store;
    SectionWriter w(store.readImage, kLegacyUnitStateOffset);
    w.byte(4);
    store.legacyLayout = true;
    EXPECT_FALSE(decodeLegacyUnitState(store));
}

}  // namespace
}  // namespace velmar
