// Main blocks of the older layout, built byte by byte, and the fields they decode to.
#include <gtest/gtest.h>

#include "image_codec.h"
#include "legacy_image_builder.h"
#include "legacy_layout.h"
#include "settings_store.h"

namespace velmar {
namespace {

using test::LegacyMainBlock;
using test::quarterSeconds;

constexpr int kMusic = 0, kCinema = 1;
constexpr int kBase = kCurrentBase;

LegacyMainBlock richVersion5Block()
{
    LegacyMainBlock b;
    b.typesA = 0x87;           // DVD 2, CD 0, TAPE 1, TV 3
    b.typesB = 0xDA;           // SAT 3, VCR 1, AUX 2, 2-CH 1, 6-CH 0
    b.connectorWord = 0x1825;  // DVD 1, CD 4, TAPE 0, TV 4, SAT 5
    b.connectorByte = 0x26;    // VCR 4, AUX 6
    b.eq[0] = 0xFC;
    b.eq[1] = 6;
    b.eq[20] = 8;
    b.audioOutFormat = 0x35;
    b.inputLevel[0] = 0x0005;
    b.inputLevel[3] = 0x12F6;
    b.frontsSurrounds = 0x43;  // fronts 3, surrounds 4
    b.centerRears = 0x97;      // center 7, rears 9
    b.sub = 0x84;              // type 4; bit 7 means nothing from version 4 on
    b.cinemaCrossover = {11, 3, 31, 0};
    b.mainCrossover = 0x20 | 19;
    b.distance = {500, 0x0123, 0xFFFF, 80, 60, 60, 80, 120};
    b.lipSync[4] = 30;
    b.level[0] = 0x00FA;
    b.level[7] = 0x0004;
    b.bassPeak = 0x0003;
    b.noiseReference = 0xFFF8;
    b.onVolume = {-60, -20, -30, -10};
    b.firstFurtherLevel = {-50, -40, -45};
    b.maxVolume = {30, 5, -35, 8};
    b.rs232 = 0x0D;
    b.ir = {0x35, 0x62};
    b.trigger[0] = 0x0401;
    b.trigger[11] = 0x07FF;
    b.display0 = 0xF7;
    b.display1 = 0xFF;
    b.mainInfo = 0x4D;   // info 13, Zone 2 position 2
    b.zone2Info = 0x22;  // info 2, Main position 1
    b.display3 = 0x21;
    b.tail = {0x7F, 20, 9};
    b.wake = 0x02;
    b.options = 0xFF;
    b.sourceName[4] = "Telly!X";
    b.zoneName[1] = "Den";
    b.timerFlags = 0x03;
    b.timerMode[1] = 0x11;  // Timer 1 "Weekend Only", Timer 2 "Weekday Only"
    b.timerSource[1] = 0x37;
    b.timerStation[1] = 0xED;
    b.onTime[0][0] = 14400 * 23 + 240 * 59;
    b.onTime[0][3] = quarterSeconds(6, 30);
    b.offTime[2][1] = quarterSeconds(22, 15);
    b.componentVideo = 0x42;  // TAPE on input 1, TV on input 2
    b.rears = 0x06;
    b.subOptions = 0xDB;
    b.fs = 0x02;
    return b;
}

class LegacyMainBlockTest : public ::testing::Test {
protected:
    bool decode(const LegacyMainBlock& block, int checkDamage = 0)
    {
        block.write(store.readImage, kBase, checkDamage);
        store.legacyLayout = true;
        return decodeLegacyMainBlock(store, kBase);
    }
    SettingsStore store;
};

TEST_F(LegacyMainBlockTest, Version5AudioInputsAndConnectors)
{
    ASSERT_TRUE(decode(richVersion5Block()));
    const int types[kSourceCount] = {2, 0, 1, 0, 3, 3, 1, 2, 1, 0};
    for (int i = 0; i < kSourceCount; ++i)
        EXPECT_EQ(store.audioInType(i), types[i]) << "source " << i;
    // Codes 0-3 stay, 4 is the source's own RCA input, 5 none; 6 was never assigned.
    const int connectors[kSourceCount] = {1, 5, 0, 11, 7, 11, 9, 10, 11, 11};
    for (int i = 0; i < kSourceCount; ++i)
        EXPECT_EQ(store.audioInConnector(i), connectors[i]) << "source " << i;
    EXPECT_EQ(store.eqLow(0), -4);
    EXPECT_EQ(store.eqHigh(0), 6);
    EXPECT_EQ(store.eqLow(10), 8);
    EXPECT_EQ(store.inputLevel(0), 5);
    EXPECT_EQ(store.inputLevel(3), -10);
    EXPECT_EQ(store.sourceDelay(4), 60);
    // The fs byte of version 5 sets both sample rates over the format byte's own.
    EXPECT_EQ(store.set().audioOutFormat, 0x25);
    EXPECT_EQ(store.sixChannelFs(), 2);
}

TEST_F(LegacyMainBlockTest, Version5SpeakerTypesAndCrossovers)
{
    ASSERT_TRUE(decode(richVersion5Block()));
    const auto& config = store.set().speakerConfig;
    EXPECT_EQ(config[0], 0x6D);  // type 3: small with bit 3 set
    EXPECT_EQ(config[1], 0x56);  // type 7: large
    EXPECT_EQ(config[2], 0x5E);  // type 4: large surround, dipole
    EXPECT_EQ(config[3], 0x55);  // type 9: size kept, bit 3 cleared; two rears kept by the rears byte
    EXPECT_EQ(config[4], 0x2A);  // type 4 on the subwoofer: size 2, bit 3 set
    EXPECT_EQ(store.storedSpeakerSize(kCinema, 2), 2);
    EXPECT_EQ(store.dipole(2), 1);

    EXPECT_EQ(store.crossover(kCinema, 0), 80);
    EXPECT_EQ(store.crossover(kCinema, 1), 40);
    EXPECT_EQ(store.crossover(kCinema, 2), 160);  // (31 + 5) × 5 capped
    EXPECT_EQ(store.crossover(kCinema, 3), 25);
    EXPECT_EQ(store.crossover(kCinema, 4), 120);
    EXPECT_EQ(store.crossover(kMusic, 4), 80);  // Music is not in the older layout
    EXPECT_EQ(store.rearSpacing(), 1);
    for (int mode : {kMusic, kCinema})
        EXPECT_EQ(store.subwooferPhase(mode), 27);
    EXPECT_EQ(store.set().speakerOptions, 0x7F);  // bit 7 cleared; both THX bits also from the sub byte
}

TEST_F(LegacyMainBlockTest, Version5DistancesLevelsAndVolumes)
{
    ASSERT_TRUE(decode(richVersion5Block()));
    EXPECT_EQ(store.metricUnits(), 1);
    EXPECT_EQ(store.speakerDistance(0), 320);  // limited in metres
    EXPECT_EQ(store.speakerDistance(1), 0x0123);
    EXPECT_EQ(store.speakerDistance(2), 0);
    EXPECT_EQ(store.speakerLevel(0), -6);
    EXPECT_EQ(store.speakerLevel(7), 4);
    EXPECT_EQ(store.speakerLevel(9), 0);  // a positive bass peak becomes 0
    EXPECT_EQ(store.noiseReferenceLevel(), -8);
    const int on[4] = {-60, -20, -30, -10}, max[4] = {30, 5, -35, 8};
    for (int z = 0; z < 4; ++z) {
        EXPECT_EQ(store.onVolume(z), on[z]);
        EXPECT_EQ(store.maxVolume(z), max[z]);
    }
    EXPECT_EQ(store.furtherLevel(1, 0), -40);
    EXPECT_EQ(store.furtherLevel(2, 1), -35);  // lowered to its maximum
    EXPECT_EQ(store.furtherLevel(0, 1), 0);
}

TEST_F(LegacyMainBlockTest, Version5ControlsDisplaysAndNames)
{
    ASSERT_TRUE(decode(richVersion5Block()));
    EXPECT_EQ(store.set().rs232Options, 0x0D);
    const int ir[4] = {5, 3, 2, 6};
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(store.irInputs(r), ir[r]);
    EXPECT_EQ(store.triggerMask(0, 0), 0x0401);
    EXPECT_EQ(store.triggerMask(2, 3), 0x07FF);

    const auto& d = store.set().displayOptions;
    EXPECT_EQ(d[0], 7);
    EXPECT_EQ(d[1], 0x33);
    EXPECT_EQ(d[2], 0x12);
    EXPECT_EQ(d[3], 0x21);
    EXPECT_EQ(d[4], 13);
    EXPECT_EQ(d[5], 2);
    EXPECT_EQ(store.frontPanelWakeUp(), 2);
    EXPECT_EQ(store.set().displayTail, (std::array<std::uint8_t, 3>{0x3F, 20, 9}));

    EXPECT_EQ(store.sourceName(4), "Telly!");
    EXPECT_EQ(store.sourceName(0), "DVD   ");
    EXPECT_EQ(store.zoneName(1), "Den");
    EXPECT_EQ(store.zoneName(4), "RECORD");
}

TEST_F(LegacyMainBlockTest, Version5TimersReadQuarterSecondCounts)
{
    ASSERT_TRUE(decode(richVersion5Block()));
    EXPECT_EQ(store.clock24Hour(), 1);
    EXPECT_EQ(store.timersEnabled(), 1);
    EXPECT_EQ(store.timerHour(0, 0), 23);
    EXPECT_EQ(store.timerMinute(0, 0), 59);
    EXPECT_EQ(store.timerHour(0, SettingsStore::timerTimeIndex(1, false, true)), 6);
    EXPECT_EQ(store.timerMinute(0, SettingsStore::timerTimeIndex(1, false, true)), 30);
    EXPECT_EQ(store.timerHour(2, SettingsStore::timerTimeIndex(0, true, true)), 22);
    EXPECT_EQ(store.timerMinute(2, SettingsStore::timerTimeIndex(0, true, true)), 15);
    EXPECT_EQ(store.timerMode(1, 0), 1);
    EXPECT_EQ(store.timerMode(1, 1), 2);
    for (int timer = 0; timer < 2; ++timer) {
        EXPECT_EQ(store.timerSource(1, timer), 7);
        EXPECT_EQ(store.timerStation(1, timer), 13);
    }
    // The two switches share the Main station bytes with the stations.
    EXPECT_EQ(store.timerStation(0, 0), 0);
}

TEST_F(LegacyMainBlockTest, ComponentVideoByteGoesToTheLegacyRecords)
{
    ASSERT_TRUE(decode(richVersion5Block()));
    const auto& legacy = store.set().legacySourceRecord;
    EXPECT_EQ(legacy[2][1] >> 6, 1);
    EXPECT_EQ(legacy[4][1] >> 6, 2);
}

TEST_F(LegacyMainBlockTest, Version3UsesTheNarrowLayout)
{
    LegacyMainBlock b;
    b.version = 3;
    b.sub = 0x81;            // type 1, HPhone mutes the speakers
    b.mainCrossover = 0x2B;  // (11 + 4) × 10 Hz, metres
    b.options = 0x0B;        // Center Eq, TV size 5
    b.componentVideo = 0x10;
    store.setZoneName(1, "OLD");
    store.setCrossover(kCinema, 0, 120);
    ASSERT_TRUE(decode(b));
    EXPECT_EQ(store.hphoneMutesSpeakers(), 1);
    EXPECT_EQ(store.crossover(kCinema, 4), 150);
    EXPECT_EQ(store.metricUnits(), 1);
    for (int group = 0; group < 4; ++group)
        EXPECT_EQ(store.crossover(kCinema, group), 80);
    EXPECT_EQ(store.centerEq(), 1);
    EXPECT_EQ(store.tvSizeForEq(), 5);
    EXPECT_EQ(store.musicSameAsCinema(), 1);  // bit 7 is not touched by older blocks
    EXPECT_EQ(store.zoneName(1), "ZONE2");    // no zone names: the defaults
    EXPECT_EQ(store.set().legacySourceRecord[1][1] >> 6, 2);
}

TEST_F(LegacyMainBlockTest, OlderVersionsEndWhereTheirLayoutEnds)
{
    for (int version : {0, 1, 2, 3, 4, 5}) {
        LegacyMainBlock b;
        b.version = version;
        EXPECT_TRUE(decode(b)) << "version " << version;
        EXPECT_FALSE(decode(b, 1)) << "version " << version << " with a damaged check word";
    }
}

TEST_F(LegacyMainBlockTest, CheckWordIsReadInTheImageByteOrder)
{
    richVersion5Block().write(store.readImage, kBase);
    store.legacyLayout = false;
    EXPECT_FALSE(decodeLegacyMainBlock(store, kBase));
}

TEST(LegacyMainBlockInstaller, MissingBaudRateBecomesTheUnitsOwn)
{
    SettingsStore store(Variant::Installer);
    LegacyMainBlock b;
    b.rs232 = 0x03;
    b.write(store.readImage, kBase);
    store.legacyLayout = true;
    ASSERT_TRUE(decodeLegacyMainBlock(store, kBase));
    EXPECT_EQ(store.rs232BaudChoice(), 3);  // 19200
    EXPECT_EQ(store.allTriggers(), 3);
}

}  // namespace
}  // namespace velmar
