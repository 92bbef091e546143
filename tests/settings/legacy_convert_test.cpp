// Rebuilding whole images in the current layout.
#include <gtest/gtest.h>

#include "image_codec.h"
#include "legacy_image_builder.h"
#include "legacy_layout.h"
#include "records/decoded_image.h"
#include "records/settings_diff.h"
#include "settings_flows.h"

namespace velmar {
namespace {

using test::LegacyMainBlock;
using test::SectionWriter;

// A current-layout image whose three sets differ from the defaults and from each other.
Image variedCurrentImage()
{
    SettingsStore store;
    store.setModelKind(ModelKind::Qrx30);
    prepareStore(store, false);
    store.unit().systemCodeFlags = 0x04;
    store.unit().systemCodeA = {'A', 'B', 'C', 'D', 0};
    encodeSystemCodes(store);
    writeIdentString(store, "UNIT0042");
    int n = 0;
    for (const auto& set : kSetsInFlowOrder) {
        prepareStore(store, false);
        ++n;
        store.setSourceName(n, "Set" + std::to_string(n));
        store.setSpeakerDistance(1, 100 + n);
        store.setTimerTime(1, 3, 7 + n, 45);
        store.setPresetFrequency(7, 900 + n);
        store.setComponentVideo(4, n);
        store.setMaxVolume(0, 40);
        store.setNoiseReferenceLevel(30 + n);
        store.setTriggerMask(1, 2, 0x123 * n);
        encodeSet(store, set.base);
    }
    return store.writeImage;
}

TEST(ConvertImage, CurrentLayoutImageKeepsEverySetting)
{
    const Image original = variedCurrentImage();
    const Image converted = convertedImage(original, ModelKind::Qrx30);
    const auto before = decodeImage(original, ModelKind::Qrx30);
    const auto after = decodeImage(converted, ModelKind::Qrx30);
    EXPECT_FALSE(before.legacyLayout);
    EXPECT_EQ(before.sets[1].records.setupPresets.entry[2].name, "Set2");  // the image really varies
    for (const auto& d : diffImages(before, after))
        ADD_FAILURE() << d.set << " " << d.field << ": " << d.first << " → " << d.second;
    EXPECT_EQ(convertedImage(converted, ModelKind::Qrx30), converted);
}

// An older image: the Current set in the older layout, the User set in the current layout
// but, like everything in such an image, with its words high byte first.
class LegacyImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        image.fill(0xFF);
        current.version = 5;
        current.connectorWord = 4 << 3;  // TV: its own RCA input
        current.frontsSurrounds = 0x41;  // surrounds type 4
        current.timerFlags = 0x01;       // 24-hour clock, so the record holds 23 rather than 11 PM
        current.onTime[0][0] = 14400 * 23 + 240 * 59;
        current.sourceName[1] = "Disc";
        current.write(image, kCurrentBase);
        std::array<int, 24> presets{};
        for (int k = 0; k < 24; ++k)
            presets[k] = k < 6 ? 60 + k : 0x8000 | (900 + k);
        test::writeLegacyPresets(image, kCurrentBase + kPresetBlockOffset, presets);
        writeLegacySourceSection();
        writeLegacyUnitState();
        writeUserSetHighByteFirst();
    }

    void writeLegacySourceSection()
    {
        SectionWriter w(image, kLegacySourceOffset);
        w.byte(5);
        for (int i = 0; i < kSourceCount * 5; ++i)
            w.byte(0);
        w.checkWord();
    }

    void writeLegacyUnitState()
    {
        SectionWriter w(image, kLegacyUnitStateOffset);
        w.byte(3);
        w.dword(77);
        for (int i = 0; i < 6; ++i)
            w.byte(0);
        w.byte(0x10);
        for (int f : {60, 950, 960, 970})
            w.word(f);
        for (int i = 0; i < 14 + 36 + 9; ++i)
            w.byte(0);
        w.byte(0x0F);
        w.byte(0);
        w.checkWord();
    }

    // Encoded with the current encoder, then its words turned round by the layout table.
    void writeUserSetHighByteFirst()
    {
        SettingsStore store;
        prepareStore(store, false);
        store.setSpeakerDistance(0, 0x0123);
        store.setSourceDelay(2, 0x0201);
        store.setSourceName(0, "User");
        writeSetHighByteFirst(store, kUserBase);
    }

    void writeSetHighByteFirst(SettingsStore& store, int base)
    {
        encodeMainBlock(store, base);
        encodePresets(store, base + kPresetBlockOffset);
        struct Words {
            int offset, count;
        };
        const Words kWordRuns[] = {{75, 8}, {91, 10}, {111, 8}, {199, 12}};
        auto swap = [&](int at) { std::swap(store.writeImage[at], store.writeImage[at + 1]); };
        for (const auto& run : kWordRuns)
            for (int i = 0; i < run.count; ++i)
                swap(base + run.offset + 2 * i);
        for (int zone = 0; zone < 3; ++zone)
            for (int i = 0; i < 8; ++i)
                swap(base + 127 + zone * 23 + 1 + 2 * i);
        swap(base + 344);
        swap(base + kPresetBlockOffset + 43);
        std::copy_n(store.writeImage.begin() + base, 0x200, image.begin() + base);
    }

    // The source block of a current-layout set, its check word high byte first.
    void writeSourcesHighByteFirst(SettingsStore& store, int base)
    {
        const int offset = base + kSourceBlockOffset;
        const int size = 1 + kSourceCount * kSourceRecordSize + 2;
        encodeSources(store, offset);
        std::swap(store.writeImage[offset + size - 2], store.writeImage[offset + size - 1]);
        std::copy_n(store.writeImage.begin() + offset, size, image.begin() + offset);
    }

    Image image{};
    LegacyMainBlock current;
};

TEST_F(LegacyImageTest, EverySetIsReadWithTheLegacyByteOrder)
{
    SettingsStore store;
    store.readImage = image;
    convertImage(store);
    EXPECT_FALSE(store.legacyLayout);
    const auto decoded = decodeImage(store.writeImage, ModelKind::Undetected);
    EXPECT_FALSE(decoded.legacyLayout);

    const auto& user = decoded.sets[1].records;
    EXPECT_EQ(user.setupPresets.entry[0].name, "User");
    EXPECT_EQ(user.listener.distance[0], 0x0123);
    EXPECT_EQ(user.setupPresets.entry[2].lipSync, 0x0201);

    const auto& cur = decoded.sets[0].records;
    EXPECT_EQ(cur.setupPresets.entry[4].digitalIn, 7);  // "RCA TV"
    EXPECT_EQ(cur.setupPresets.entry[1].name, "Disc");
    EXPECT_EQ(cur.speakerConfig.cinema.surrounds, 2);
    EXPECT_EQ(cur.speakerConfig.surroundType, 1);
    EXPECT_EQ(cur.timers.entry[0][0].times[kWeekdayOn].hour, 23);
    EXPECT_EQ(cur.timers.entry[0][0].times[kWeekdayOn].minute, 59);
    EXPECT_EQ(cur.tuner.freq[0], 600);
    EXPECT_EQ(cur.tuner.freq[23], 923);
    EXPECT_EQ(decoded.unit.unitValue, 77u);
    EXPECT_EQ(decoded.unit.tunerFrequency[1].value, 950);

    // The Installer block is blank, so that set comes back as the defaults.
    SettingsRecordSet defaults;
    SettingsStore fresh;
    defaults.loadFromStore(fresh);
    EXPECT_TRUE(diffRecordSets("Installer", decoded.sets[2].records, defaults).empty());
}

// An older image whose Installer set was already written in the current layout: that set's
// source records come from its own source block, the Current set's from the older section.
TEST_F(LegacyImageTest, EachSetReadsItsSourcesInTheLayoutOfItsOwnMainBlock)
{
    SettingsStore installer;
    prepareStore(installer, false);
    for (int source = 0; source < kSourceCount; ++source) {
        installer.setSourceRecordBits(source, 2, 0, 4, 1 + source % 5);
        installer.setComponentVideo(source, 2);
    }
    writeSetHighByteFirst(installer, kInstallerBase);
    writeSourcesHighByteFirst(installer, kInstallerBase);

    for (const auto& decoded : {decodeImage(image, ModelKind::Qrx30),
                                decodeImage(convertedImage(image, ModelKind::Qrx30), ModelKind::Qrx30)}) {
        EXPECT_TRUE(decoded.sets[2].fields.sourceRecord == installer.set().sourceRecord);
        EXPECT_FALSE(decoded.sets[0].fields.sourceRecord == installer.set().sourceRecord);
    }
}

TEST_F(LegacyImageTest, ConvertedImageHasValidSectionsAndAZeroModeTable)
{
    const Image converted = convertedImage(image, ModelKind::Undetected);
    SettingsStore store;
    store.readImage = converted;
    for (int base : {kCurrentBase, kUserBase, kInstallerBase}) {
        EXPECT_EQ(converted[base], kNewestVersion);
        EXPECT_TRUE(decodeMainBlock(store, base));
        EXPECT_TRUE(decodeSources(store, base + kSourceBlockOffset));
    }
    EXPECT_TRUE(decodeUnitState(store));
    EXPECT_TRUE(decodeModeTable(store));
    for (const auto& level : store.unit().modeLevels)
        EXPECT_EQ(level.value, 0);
}

TEST_F(LegacyImageTest, RetrievingAnOlderImageReadsWhatConvertingReads)
{
    const auto retrieved = decodeImage(image, ModelKind::Undetected);
    const auto converted = decodeImage(convertedImage(image, ModelKind::Undetected), ModelKind::Undetected);
    EXPECT_TRUE(retrieved.legacyLayout);
    for (const auto& d : diffImages(retrieved, converted))
        ADD_FAILURE() << d.set << " " << d.field << ": " << d.first << " → " << d.second;
}

TEST_F(LegacyImageTest, InstallerWritesNoBrightnessAndNeedsABaudRate)
{
    current.rs232 = 0x00;
    current.write(image, kCurrentBase);
    SettingsStore store(Variant::Installer);
    store.readImage = image;
    convertImage(store);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(store.writeImage[kCurrentBase + 230 + i], 0);
    store.readImage = store.writeImage;
    ASSERT_TRUE(decodeMainBlock(store, kCurrentBase));
    EXPECT_EQ(store.rs232BaudChoice(), 3);
}

}  // namespace
}  // namespace velmar
