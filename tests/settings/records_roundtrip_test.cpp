// Records against the store: a store survives store → record → store, and a record survives
// record → store → record, for every field a page edits.
#include <gtest/gtest.h>

#include "image_codec.h"
#include "records/settings_diff.h"
#include "records/settings_record_set.h"

namespace velmar {
namespace {

constexpr int kMusic = 0, kCinema = 1;

// Defaults with every page-edited field moved away from its default, consistently with the
// unit's rules (so that the store's readers give back what was written).
void varyPageFields(SettingsStore& s)
{
    for (int i = 0; i < kSourceCount; ++i) {
        s.setInputLevel(i, i - 5);
        s.setSourceName(i, "Src" + std::to_string(i));
        s.setAudioInType(i, (i + 1) % 4);
        s.setAudioInConnector(i, i);
        s.setMuting(i, i % 3);
        s.setEqLow(i, -i);
        s.setEqHigh(i, i * 2);
        s.setSourceSpeakerConfig(i, i % 3);
        s.setCompositeVideo(i, (i + 2) % 8);
        s.setSVideo(i, (i + 5) % 8);
        s.setComponentVideo(i, i % 5);
        s.setSourceDelay(i, 17 * i);
        s.setModePreset(i, 0, 18);  // "Last Used"
        s.setModePreset(i, 1, 19);  // "Same as 2.0"
        s.setModePreset(i, 2, 11);
        s.setModePreset(i, 3, 14);  // in no list
        s.setModePreset(i, 4, 13);
        s.setModePreset(i, 5, 17);
    }
    s.setEqLow(10, 6);
    s.setEqHigh(10, -6);
    for (int which : {1, 2, 4})
        s.setCopyMain(which, 1);
    s.setSixChannelFs(3);
    s.setTwoChannelFs(1);
    s.setDigital1Is16Bit(0);
    s.setCopySurroundToRear(1);
    s.setDigital2Source(3);  // TAPE, set to "Auto" in the source loop above
    s.setBalancedOut(1);
    s.setSixChannelReverseSurRear(1);

    s.setTvSizeForEq(3);
    s.setCenterEq(1);
    s.setDipole(2, 1);
    s.setRearChoice(3);
    s.setSpeakerLevel(9, -20);
    for (int c = 0; c < 9; ++c)
        s.setSpeakerLevel(c, c - 4);
    s.setMaxVolume(0, 50);
    s.setNoiseReferenceLevel(35);
    for (int mode : {kMusic, kCinema}) {
        s.setSpeakerSize(mode, 0, 2);
        s.setSpeakerSize(mode, 1, mode);
        s.setSpeakerSize(mode, 2, 2);
        s.setSpeakerSize(mode, 3, 1);
        s.setSubwooferChoice(mode, 4 - mode);
        for (int g = 0; g < 5; ++g)
            s.setCrossoverIndex(mode, g, 5 + g + mode);
        s.setBypassLfeCrossover(mode, 1);
        s.setSubwooferPhase(mode, 30 + mode);
        s.setSubwooferPolarity(mode, mode);
    }
    s.setMusicSameAsCinema(0);
    s.setRoomTestToneLevel(40);
    s.setRoomTestToneFreqIndex(7);
    s.setApplyRoomFilter(1);
    s.setRoomFilterCenter(33);
    s.setRoomFilterDepth(12);
    s.setRoomFilterWidth(40);
    s.setThxUltra2Sub(1);
    s.setThxBgCompensation(1);

    s.setMetricUnits(1);
    for (int d = 0; d < kDistanceCount; ++d)
        s.setSpeakerDistance(d, 20 * d + 5);
    s.setRearSpacing(2);

    s.setHphoneMutesSpeakers(1);
    s.setMuteLevel(25);
    for (int z = 1; z < 4; ++z) {
        s.setMaxVolume(z, z);
        s.setOnVolume(z, -10 * z);
    }
    s.setOnVolume(0, -30);
    s.setZoneName(1, "Den");
    s.setZoneName(2, "Garden");
    s.setZoneName(4, "Tape");

    s.setRs232BaudChoice(6);
    s.setRs232TxStatus(1);
    s.setFlowControl(1);
    s.setAllTriggers(2);
    for (int r = 0; r < 4; ++r)
        s.setIrInputs(r, r + 2);
    for (int t = 0; t < 3; ++t)
        for (int c = 0; c < 4; ++c)
            s.setTriggerMask(t, c, ((0x155 << t) & 0x7FF) ^ c);

    s.setClock24Hour(0);
    s.setTimersEnabled(1);
    for (int z = 0; z < 3; ++z)
        for (int timer = 0; timer < 2; ++timer) {
            s.setTimerMode(z, timer, (z + timer) % 4);
            s.setTimerSource(z, timer, z * 3 + timer);
            s.setTimerStation(z, timer, 5 * z + timer);
            s.setTimerVolume(z, timer, -5 * z - timer);
            for (int k = 0; k < 8; ++k)
                s.setTimerTime(z, k, (3 * k + z + 11 * timer) % 24, 7 * k);
        }

    s.setOnScreen(0, 2);
    s.setOnScreen(1, 1);
    s.setOsInfo(0, 4);
    s.setOsInfo(1, 1);
    s.setOsPosition(0, 2);
    s.setOsPosition(1, 1);
    s.setOsColor(0, 1);
    s.setOsColor(1, 2);
    s.setFrontPanelWakeUp(2);
    s.setFunctionTimeout(9);
    s.setBrightness(0, 14);
    s.setBrightness(1, 8);
    s.setBrightness(2, 3);

    for (int k = 0; k < kPresetCount; ++k) {
        s.setPresetFrequency(k, k < 6 ? 60 + 10 * k : 880 + 7 * k);
        s.setPresetMode(k, k % 3);
    }
}

TEST(RecordRoundTrip, StoreToRecordToStoreKeepsTheEncodedSet)
{
    for (ModelKind model : {ModelKind::Qrx20, ModelKind::Qrx30, ModelKind::CorvalentD1}) {
        SettingsStore original;
        original.setModelKind(model);
        prepareStore(original, false);
        varyPageFields(original);
        encodeSet(original, kUserBase);

        SettingsRecordSet records;
        records.loadFromStore(original);
        SettingsStore rebuilt;
        rebuilt.setModelKind(model);
        prepareStore(rebuilt, false);
        records.saveToStore(rebuilt);
        encodeSet(rebuilt, kUserBase);

        struct Block {
            int offset, length;
        };
        const Block kBlocks[] = {
            {kUserBase, 346}, {kUserBase + kPresetBlockOffset, 45}, {kUserBase + kSourceBlockOffset, 133}};
        for (const auto& block : kBlocks)
            for (int i = block.offset; i < block.offset + block.length; ++i)
                ASSERT_EQ(original.writeImage[i], rebuilt.writeImage[i])
                    << "model " << static_cast<int>(model) << " offset 0x" << std::hex << i;
    }
}

TEST(RecordRoundTrip, RecordToStoreToRecordIsUnchanged)
{
    SettingsStore store;
    prepareStore(store, false);
    varyPageFields(store);
    SettingsRecordSet first;
    first.loadFromStore(store);

    SettingsStore other;
    prepareStore(other, false);
    SettingsRecordSet copy = first;
    copy.saveToStore(other);
    SettingsRecordSet second;
    second.loadFromStore(other);
    for (const auto& d : diffRecordSets("", first, second))
        ADD_FAILURE() << d.field << ": " << d.first << " → " << d.second;
    EXPECT_TRUE(first.equals(second));
    EXPECT_TRUE(copy.equals(first));
}

TEST(RecordRoundTrip, AdvancedSpeakerSettingsKeepSizesAndSubwooferCount)
{
    SettingsStore store;
    SpeakerModeRecord mode;
    mode.fronts = 2;
    mode.center = 1;
    mode.surrounds = 1;
    mode.rears = 1;
    mode.advanced = 1;
    mode.subwoofer = 1;        // "2 Sub"
    mode.frontCrossover = 28;  // 165 Hz: large
    mode.centerCrossover = 11;
    mode.surroundCrossover = 5;
    mode.rearCrossover = -1;  // 20 Hz, "Off" in the Cinema dialog
    mode.subCrossover = 15;
    mode.saveToStore(store, kCinema);
    EXPECT_EQ(store.storedSpeakerSize(kCinema, 4), 1);
    EXPECT_EQ(store.twoUnits(kCinema, 4), 1);
    EXPECT_EQ(store.crossover(kCinema, 3), 20);
    SpeakerModeRecord back;
    back.loadFromStore(store, kCinema);
    EXPECT_EQ(back, mode);
}

TEST(RecordRoundTrip, OsInfoMasksNoChoiceNamesSurviveUnlessTheChoiceChanges)
{
    SettingsStore store;
    store.setOsInfoMask(0, 3);  // no choice writes it
    store.setOsInfoMask(1, 9);  // a Main choice, not one of Zone 2's two
    DisplaysRecord displays;
    displays.loadFromStore(store);
    EXPECT_EQ(displays.mainOsInfo, -1);
    EXPECT_EQ(displays.zone2OsInfo, 2);

    SettingsStore fresh;
    displays.saveToStore(fresh);
    EXPECT_EQ(fresh.osInfoMask(0), 3);
    EXPECT_EQ(fresh.osInfoMask(1), 9);

    displays.mainOsInfo = 3;   // "Mn + HP + Z3"
    displays.zone2OsInfo = 1;  // "Z2 Only"
    displays.saveToStore(fresh);
    EXPECT_EQ(fresh.osInfoMask(0), 13);
    EXPECT_EQ(fresh.osInfoMask(1), 2);

    // "M + HP + Z3 +R", once the choice of any mask no other choice writes, writes its own.
    displays.mainOsInfo = 5;
    displays.saveToStore(fresh);
    EXPECT_EQ(fresh.osInfoMask(0), 29);
}

}  // namespace
}  // namespace velmar
