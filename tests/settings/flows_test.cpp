#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "codec_test_util.h"
#include "image_codec.h"
#include "legacy_layout.h"
#include "settings_flows.h"

namespace velmar {
namespace {

// An image as a unit would hold it: three distinct sets, unit-wide sections, own bytes.
Image unitImage()
{
    SettingsStore s;
    for (const auto& set : kSetsInFlowOrder) {
        prepareStore(s, false);
        s.setSourceName(0, set.name);
        s.setInputLevel(1, set.base / 0x100);
        s.setPresetFrequency(8, 1000 + set.base / 0x100);
        s.setModePreset(2, 1, set.base / 0x100);
        encodeSet(s, set.base);
    }
    s.unit().unitValue = 77;
    s.unit().tunerFrequency[2].set(901);
    encodeUnitState(s);
    s.unit().modeTrims[0].set(3);
    encodeModeTable(s);
    std::memcpy(s.unit().systemCodeA.data(), "A1", 2);
    encodeSystemCodes(s);
    writeIdentString(s, "UNIT0042");
    s.writeImage[0x1F0] = 0xAB;  // a unit byte no section covers
    s.writeImage[0xF00] = 0xCD;
    return s.writeImage;
}

std::map<std::string, SetFields> retrieveAll(SettingsStore& s)
{
    std::map<std::string, SetFields> sets;
    retrieveSets(s, [&sets](const NamedSet& set, SettingsStore& store) { sets[set.name] = store.set(); });
    return sets;
}

TEST(Flows, RetrieveFillsEverySetInOrder)
{
    SettingsStore s;
    s.readImage = unitImage();
    std::vector<std::string> order;
    std::map<std::string, std::string> firstName;
    retrieveSets(s, [&](const NamedSet& set, SettingsStore& store) {
        order.push_back(set.name);
        firstName[set.name] = store.sourceName(0);
        EXPECT_EQ(store.inputLevel(1), set.base / 0x100);
        EXPECT_EQ(store.presetFrequency(8), 1000 + set.base / 0x100);
    });
    EXPECT_EQ(order, (std::vector<std::string>{"Installer", "User", "Current"}));
    EXPECT_EQ(firstName["User"], "User");
    EXPECT_EQ(s.writeImage[0xF00], 0xCD) << "bytes outside every section are carried over";
}

TEST(Flows, DamagedImageComesBackValidAfterOneRetrieve)
{
    SettingsStore s;
    s.readImage = unitImage();
    s.readImage[kUserBase + 100] ^= 0xFF;
    s.readImage[kInstallerBase + kSourceBlockOffset + 5] ^= 0x01;
    auto sets = retrieveAll(s);
    for (const auto& set : kSetsInFlowOrder) {
        EXPECT_TRUE(test::framed(s.writeImage, set.base, 346)) << set.name;
        EXPECT_TRUE(test::framed(s.writeImage, set.base + kPresetBlockOffset, 45)) << set.name;
        EXPECT_TRUE(test::framed(s.writeImage, set.base + kSourceBlockOffset, 133)) << set.name;
    }
    SettingsStore fresh;
    prepareStore(fresh, false);
    EXPECT_STREQ(sets["User"].sourceName[0].data(), "User") << "a block failing its check keeps what it had taken";
    EXPECT_EQ(sets["Installer"].sourceRecord, fresh.set().sourceRecord);
    EXPECT_STREQ(sets["Installer"].sourceName[0].data(), "Instal") << "an intact main block is kept";
}

TEST(Flows, StoreBackKeepsTheUnitsOwnBytes)
{
    SettingsStore s;
    s.readImage = unitImage();
    auto sets = retrieveAll(s);
    sets["User"].inputLevel[1] = 9;

    storeBackSets(
        s, [&sets](const NamedSet& set, SettingsStore& store) { store.set() = sets[set.name]; }, true);
    for (int i = kUnitAreaBegin; i < kUnitAreaEnd; ++i)
        ASSERT_EQ(s.writeImage[i], s.readImage[i]) << i;

    SettingsStore check;
    check.readImage = s.writeImage;
    auto back = retrieveAll(check);
    EXPECT_EQ(back["User"].inputLevel[1], 9);
    EXPECT_TRUE(back["Current"] == sets["Current"]);
    EXPECT_TRUE(back["Installer"] == sets["Installer"]);
}

TEST(Flows, StoreBackWithoutTheUnitAreaWritesDefaults)
{
    SettingsStore s;
    s.readImage = unitImage();
    retrieveAll(s);
    storeBackSets(s, nullptr, false);
    SettingsStore fresh;
    prepareStore(fresh, false);
    EXPECT_TRUE(test::framed(s.writeImage, kModeTableOffset, 146));
    EXPECT_EQ(s.writeImage[kModeTableOffset + 1], 0);
}

TEST(Flows, PrepareStoreFromImage)
{
    SettingsStore s;
    s.readImage = unitImage();
    prepareStore(s, true);
    EXPECT_EQ(s.sourceName(0), "Curren");
    EXPECT_EQ(s.presetFrequency(8), 1006);
    EXPECT_EQ(s.modePreset(2, 1), 6);
    EXPECT_EQ(s.unit().unitValue, 77u);
    EXPECT_EQ(s.unit().tunerFrequency[2].value, 901);
    EXPECT_EQ(s.unit().modeTrims[0].value, 3);
    EXPECT_TRUE(test::framed(s.writeImage, kUnitStateOffset, 25));

    prepareStore(s, false);
    EXPECT_EQ(s.sourceName(0), "DVD   ");
    EXPECT_EQ(s.unit().unitValue, 77u) << "defaults leave the unit value alone";
    EXPECT_EQ(s.unit().tunerFrequency[2].value, 875);
    EXPECT_EQ(s.unit().modeTrims[0].value, 0);
    EXPECT_EQ(s.writeImage[kModeTableOffset + 136], 0);
}

TEST(Flows, PrepareStoreWithARefusedUnitState)
{
    SettingsStore s;
    s.readImage = unitImage();
    s.readImage[kUnitStateOffset + 2] ^= 1;
    s.unit().unitSelect = 3;
    prepareStore(s, true);
    EXPECT_EQ(s.unit().unitValue, 0u);
    EXPECT_EQ(s.unit().unitSelect, 0);
    EXPECT_EQ(s.unit().tunerFrequency[2].value, 875);
}

TEST(Flows, ConvertingACurrentImageChangesNoSetting)
{
    SettingsStore s;
    s.readImage = unitImage();
    auto before = retrieveAll(s);
    const auto original = s.readImage;

    convertImage(s);
    EXPECT_FALSE(s.legacyLayout);
    EXPECT_EQ(s.writeImage[0xF00], 0) << "bytes outside every section are cleared";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&s.writeImage[kIdentOffset]), 8), "UNIT0042");

    SettingsStore after;
    after.readImage = s.writeImage;
    auto converted = retrieveAll(after);
    for (const auto& set : kSetsInFlowOrder)
        EXPECT_TRUE(before[set.name] == converted[set.name]) << set.name;
    for (int i = kUnitStateOffset; i < kUnitStateOffset + 25; ++i)
        EXPECT_EQ(s.writeImage[i], original[i]) << i;
    for (int i = kModeTableOffset; i < kModeTableOffset + 146; ++i)
        EXPECT_EQ(s.writeImage[i], original[i]) << i;
    for (int i = kSystemCodesOffset; i < kSystemCodesOffset + 12; ++i)
        EXPECT_EQ(s.writeImage[i], original[i]) << i;
}

TEST(Flows, LegacyDetectionLooksAtTheCurrentMainBlock)
{
    SettingsStore s;
    s.readImage = unitImage();
    EXPECT_FALSE(detectLegacyLayout(s));
    s.readImage[kCurrentBase] = 5;
    EXPECT_TRUE(detectLegacyLayout(s));
    s.readImage[kCurrentBase] = 6;
    EXPECT_FALSE(detectLegacyLayout(s));
}

}  // namespace
}  // namespace velmar
