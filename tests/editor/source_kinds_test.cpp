#include <gtest/gtest.h>
#include <set>
#include <string>

#include "source_kinds.h"

using namespace velmar;
using namespace velmar::editor;

TEST(SourceKinds, EveryUnitSourceHasOneButtonAndPage6Label)
{
    std::set<int> sources;
    int id = 1078;
    for (const SourceButton& b : sourceButtons()) {
        EXPECT_EQ(b.id, id++) << b.caption;
        sources.insert(b.source);
        EXPECT_EQ(sourceButtonOf(b.source), &b);
    }
    EXPECT_EQ(sources, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(std::string(sourceButtonOf(kTunerSource)->caption), "FM/AM");
    EXPECT_EQ(std::string(sourceButtonOf(kTunerSource)->levelLabel), "FMAM:");
    EXPECT_EQ(std::string(sourceButtonOf(8)->levelLabel), "2 CH:");
    EXPECT_EQ(sourceButtonOf(10), nullptr);
}

TEST(SourceKinds, AnalogInputsOfferOnlyTheTwoAnalogAudioInputs)
{
    EXPECT_EQ(setupKindOf(8), SetupKind::AnalogOnly);
    EXPECT_EQ(setupKindOf(kSixChSource), SetupKind::AnalogOnly);
    EXPECT_EQ(setupKindOf(kTunerSource), SetupKind::Tuner);
    for (const int source : {0, 1, 2, 4, 5, 6, 7})
        EXPECT_EQ(setupKindOf(source), SetupKind::DigitalCapable) << source;

    const auto analog = audioInItems(SetupKind::AnalogOnly);
    ASSERT_EQ(analog.size(), 2u);
    EXPECT_EQ(std::string(analog[0]), "Anlg-DSP");
    EXPECT_EQ(std::string(analog[1]), "Anlg-Dir");
    const auto all = audioInItems(SetupKind::DigitalCapable);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(std::string(all[2]), "Dig");  // the stored type is the list index
    EXPECT_EQ(std::string(all[3]), "Auto");
}

TEST(SourceKinds, PresetKindsPerSource)
{
    EXPECT_EQ(presetKindOf(kSixChSource), kSixChannelOnly);
    EXPECT_EQ(presetKindOf(8), kTwoChannelOnly);
    EXPECT_EQ(presetKindOf(kTunerSource), kTwoChannelOnly);
    for (const int source : {0, 1, 2, 4, 5, 6, 7})
        EXPECT_EQ(presetKindOf(source), kAllPresets) << source;
}

TEST(SourceKinds, ModelDecidesComponentVideoAndLipSyncWidestWhileUndetected)
{
    EXPECT_EQ(componentVideoItems(ModelKind::Qrx20).size(), 3u);
    EXPECT_EQ(std::string(componentVideoItems(ModelKind::Qrx20).back()), "Comp 2");
    for (const ModelKind m : {ModelKind::Qrx30, ModelKind::CorvalentD1, ModelKind::Undetected}) {
        ASSERT_EQ(componentVideoItems(m).size(), 5u);
        EXPECT_EQ(std::string(componentVideoItems(m).back()), "Comp 4");
    }
    EXPECT_EQ(lipSyncMaxMs(ModelKind::Qrx20), 85.0);
    EXPECT_EQ(lipSyncMaxMs(ModelKind::Qrx30), 85.0);
    EXPECT_EQ(lipSyncMaxMs(ModelKind::CorvalentD1), 170.0);
    EXPECT_EQ(lipSyncMaxMs(ModelKind::Undetected), 170.0);
}

TEST(SourceKinds, NamesTakeOnlyWhatTheDisplayShows)
{
    for (const char32_t c : {U' ', U'A', U'z', U'/', U'~', U'0'})
        EXPECT_TRUE(isNameCharacter(c)) << static_cast<int>(c);
    for (const char32_t c : {U'\0', U'\t', U'\x7F', U'\xE9', U'\x20AC'})
        EXPECT_FALSE(isNameCharacter(c)) << static_cast<int>(c);
    // Characters of two or more bytes never reach the store's byte copy; the length is six.
    EXPECT_EQ(sourceNameFrom(U"Caf\u00E9 Bar"), "Caf Ba");
    EXPECT_EQ(sourceNameFrom(U"\u20AC\u20AC\u20AC\u20AC\u20AC\u20AC\u20ACA"), "A");
    EXPECT_EQ(sourceNameFrom(U"BluRay"), "BluRay");
}
