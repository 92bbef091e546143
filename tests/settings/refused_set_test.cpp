// Flows over all three sets with one set refused among sets whose presets and source records
// all differ: the refused set comes back as factory settings in full, never with what the set
// decoded before it held.
#include <gtest/gtest.h>

#include <map>

#include "image_codec.h"
#include "legacy_layout.h"
#include "records/decoded_image.h"
#include "settings_flows.h"

namespace velmar {
namespace {

constexpr int kRefusedVersion = 14;  // newer than any decoder knows

// Every set with its own presets and source records; the User set's main block then refused.
Image imageWithARefusedUserSet()
{
    SettingsStore store;
    store.setModelKind(ModelKind::Qrx30);
    prepareStore(store, false);
    int n = 0;
    for (const auto& set : kSetsInFlowOrder) {
        prepareStore(store, false);
        ++n;
        for (int k = 0; k < kPresetCount; ++k)
            store.setPresetFrequency(k, store.presetFrequency(k) + n + k % 3);
        store.setPresetMode(9, n);
        for (int source = 0; source < kSourceCount; ++source) {
            store.setSourceRecordBits(source, 2, 0, 4, n + source % 4);
            store.setComponentVideo(source, n);
        }
        encodeSet(store, set.base);
    }
    Image image = store.writeImage;
    image[kUserBase] = kRefusedVersion;
    return image;
}

SetFields defaultSet()
{
    SettingsStore store;
    store.setModelKind(ModelKind::Qrx30);
    prepareStore(store, false);
    return store.set();
}

// The three sets of an image as the given fields, by name.
void expectRefusedUserAmongDistinctSets(const std::map<std::string, SetFields>& sets)
{
    const SetFields defaults = defaultSet();
    EXPECT_TRUE(sets.at("User").presetOffset == defaults.presetOffset);
    EXPECT_TRUE(sets.at("User").presetMode == defaults.presetMode);
    EXPECT_TRUE(sets.at("User").sourceRecord == defaults.sourceRecord);
    EXPECT_TRUE(sets.at("User") == defaults) << "the refused set is the defaults in full";
    // The sets around it really carry presets and records of their own.
    for (const char* name : {"Installer", "Current"}) {
        EXPECT_FALSE(sets.at(name).presetOffset == defaults.presetOffset) << name;
        EXPECT_FALSE(sets.at(name).sourceRecord == defaults.sourceRecord) << name;
    }
    EXPECT_FALSE(sets.at("Installer").presetOffset == sets.at("Current").presetOffset);
    EXPECT_FALSE(sets.at("Installer").sourceRecord == sets.at("Current").sourceRecord);
}

std::map<std::string, SetFields> byName(const DecodedImage& decoded)
{
    std::map<std::string, SetFields> sets;
    for (const auto& set : decoded.sets)
        sets[set.name] = set.fields;
    return sets;
}

TEST(RefusedSet, RetrieveGivesItDefaultsNotThePreviousSetsPresets)
{
    SettingsStore store;
    store.setModelKind(ModelKind::Qrx30);
    store.readImage = imageWithARefusedUserSet();
    std::map<std::string, SetFields> sets;
    retrieveSets(store, [&](const NamedSet& set, SettingsStore& s) { sets[set.name] = s.set(); });
    expectRefusedUserAmongDistinctSets(sets);
}

TEST(RefusedSet, DumpShowsItAsDefaultsAndNamesItRefused)
{
    const auto decoded = decodeImage(imageWithARefusedUserSet(), ModelKind::Qrx30);
    expectRefusedUserAmongDistinctSets(byName(decoded));
    bool named = false;
    for (const auto& section : decoded.refused)
        named = named || section.find("User") != std::string::npos;
    EXPECT_TRUE(named);
}

TEST(RefusedSet, ConversionWritesDefaultsForItAndKeepsTheOthers)
{
    const Image image = imageWithARefusedUserSet();
    const auto before = byName(decodeImage(image, ModelKind::Qrx30));
    const auto after = byName(decodeImage(convertedImage(image, ModelKind::Qrx30), ModelKind::Qrx30));
    expectRefusedUserAmongDistinctSets(after);
    EXPECT_TRUE(after.at("Installer") == before.at("Installer"));
    EXPECT_TRUE(after.at("Current") == before.at("Current"));
}

}  // namespace
}  // namespace velmar
