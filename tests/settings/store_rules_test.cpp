#include <gtest/gtest.h>

#include "settings_store.h"

namespace velmar {
namespace {

TEST(StoreDefaults, FactorySettingsOfOneSet)
{
    SettingsStore s;
    EXPECT_EQ(s.sourceName(3), "FM/AM ");
    EXPECT_EQ(s.zoneName(4), "RECORD");
    EXPECT_EQ(s.set().zoneName[1], (Name{'Z', 'O', 'N', 'E', '2', 0, 0}));
    // DVD: digital, muting medium, RCA DVD; CD: muting min; SAT: auto, max muting.
    EXPECT_EQ(s.set().sourceInput[0], 2 | (1 << 2) | (4 << 4));
    EXPECT_EQ(s.muting(1), 0);
    EXPECT_EQ(s.audioInType(5), 3);
    EXPECT_EQ(s.muting(5), 2);
    EXPECT_EQ(s.audioInConnector(3), 11);
    EXPECT_EQ(s.set().inputLevel[3], -10);
    EXPECT_EQ(static_cast<std::uint8_t>(s.set().inputLevel[3]), 246);
    EXPECT_EQ(s.set().speakerConfig, (std::array<std::uint8_t, 5>{0x65, 0x55, 0x5D, 0x5D, 0x21}));
    EXPECT_EQ(s.set().speakerDistance, (std::array<std::uint16_t, 8>{120, 120, 120, 80, 60, 60, 80, 120}));
    EXPECT_EQ(s.onVolume(0), -70);
    EXPECT_EQ(s.maxVolume(3), 8);
    EXPECT_EQ(s.volumeFloor(0), -191);
    EXPECT_EQ(s.set().timer[0].timerVolume[0], 250);
    EXPECT_EQ(s.timerVolume(1, 1), -28);
    EXPECT_EQ(s.timerHour(2, SettingsStore::timerTimeIndex(1, false, true)), 10);
    EXPECT_EQ(s.timerHour(2, SettingsStore::timerTimeIndex(1, true, true)), 23);
    EXPECT_EQ(s.set().rs232Options, 0x40);
    EXPECT_EQ(s.rs232BaudChoice(), 3);
    EXPECT_EQ(s.set().displayOptions, (std::array<std::uint8_t, 7>{5, 0x33, 0x22, 0, 31, 2, 1}));
    EXPECT_EQ(s.set().displayTail, (std::array<std::uint8_t, 3>{15, 10, 5}));
    EXPECT_EQ(s.set().muteLevel, 0x80);
    EXPECT_EQ(s.set().roomFilterWidth, 20);
    EXPECT_EQ(s.unit().tunerFrequency[1].value, 875);
    EXPECT_EQ(s.unit().tunerFlags, 15);
    EXPECT_EQ(s.unit().modeRecords[4].header.minimum, -60);
}

TEST(StoreDefaults, SourceRecords)
{
    SettingsStore s;
    s.setModelKind(ModelKind::Qrx30);
    s.defaultSourceRecords();
    const auto& r = s.set().sourceRecord;
    EXPECT_EQ(r[0], (SourceRecord{27, 34 | 0x40, 5, 50, 0, 81, 2, 4, 1, 10, 1, 12, 0}));
    EXPECT_EQ(r[1][2], 5 & ~0x0C);
    EXPECT_EQ(s.modePreset(1, 0), 1);  // CD "2-ch"
    EXPECT_EQ(s.modePreset(8, 0), 0);
    EXPECT_EQ(s.modePreset(9, 2), 3);
    EXPECT_EQ(r[7][12], 7 | (7 << 3));
    EXPECT_EQ(r[8][12], 27);
    EXPECT_EQ(r[9][12], 0);
    EXPECT_EQ(s.componentVideo(5), 2);
    EXPECT_EQ(s.componentVideo(9), 1);
    EXPECT_EQ(s.componentVideo(4), 0);
}

TEST(StoreDefaults, DisplaysFollowTheModel)
{
    SettingsStore editor;
    editor.set().displayTail = {1, 1, 1};
    editor.defaultDisplays();
    EXPECT_EQ(editor.set().displayOptions[6], 1);
    EXPECT_EQ(editor.set().displayTail, (std::array<std::uint8_t, 3>{1, 1, 1})) << "other models leave the tail";

    editor.setModelKind(ModelKind::CorvalentD1);
    editor.defaultDisplays();
    EXPECT_EQ(editor.set().displayOptions[6], 0);
    EXPECT_EQ(editor.set().displayTail, (std::array<std::uint8_t, 3>{15, 10, 5}));

    editor.setModelKind(ModelKind::Qrx20);
    editor.set().displayTail = {1, 1, 1};
    editor.defaultDisplays();
    EXPECT_EQ(editor.set().displayOptions[6], 1);
    EXPECT_EQ(editor.set().displayTail, (std::array<std::uint8_t, 3>{15, 10, 5})) << "a QRX 20 carries its tail";

    SettingsStore installer(Variant::Installer);
    installer.setModelKind(ModelKind::CorvalentD1);
    installer.set().displayTail = {1, 1, 1};
    installer.defaultDisplays();
    EXPECT_EQ(installer.set().displayOptions[6], 1);
    EXPECT_EQ(installer.set().displayTail, (std::array<std::uint8_t, 3>{15, 10, 5}));
}

TEST(StoreWriters, SourceRecordRemaps)
{
    SettingsStore s;
    s.setSourceRecordBits(0, 5, 4, 4, 6);
    EXPECT_EQ(s.sourceRecordBits(0, 5, 4, 4), 5);
    s.setSourceRecordBits(0, 5, 4, 4, 4);
    EXPECT_EQ(s.sourceRecordBits(0, 5, 4, 4), 5);
    s.setSourceRecordBits(0, 5, 4, 4, 3);
    EXPECT_EQ(s.sourceRecordBits(0, 5, 4, 4), 3);
    for (int v : {5, 6}) {
        s.setSourceRecordBits(1, 4, 0, 4, v);
        EXPECT_EQ(s.sourceRecordBits(1, 4, 0, 4), 4);
    }
    s.setSourceRecordBits(1, 4, 0, 4, 7);
    EXPECT_EQ(s.sourceRecordBits(1, 4, 0, 4), 7);
    EXPECT_EQ(s.sourceRecordBits(1, 4, 4, 4), 0) << "the other nibble is untouched";
}

TEST(StoreWriters, ComponentVideoDependsOnModel)
{
    SettingsStore s;
    s.setModelKind(ModelKind::Qrx30);
    s.setComponentVideo(2, 4);
    EXPECT_EQ(s.componentVideo(2), 4);
    EXPECT_EQ(s.set().sourceRecord[2][0] & 0x40, 0x40);

    s.setModelKind(ModelKind::Qrx20);
    EXPECT_EQ(s.componentVideo(2), 0) << "bit 2 is not held on this model";
    s.setComponentVideo(3, 7);
    EXPECT_EQ(s.componentVideo(3), 3);
    EXPECT_EQ(s.set().sourceRecord[3][0] & 0x40, 0);
}

TEST(StoreWriters, DistancesClampByUnits)
{
    SettingsStore s;
    s.setMetricUnits(1);
    s.setSpeakerDistance(0, 500);
    EXPECT_EQ(s.speakerDistance(0), 320);
    s.setMetricUnits(0);
    s.setSpeakerDistance(0, 500);
    EXPECT_EQ(s.speakerDistance(0), 500);
    s.setSpeakerDistance(0, 1500);
    EXPECT_EQ(s.speakerDistance(0), 990);
    s.setSpeakerDistance(0, -1);
    EXPECT_EQ(s.speakerDistance(0), 0);
}

TEST(StoreWriters, ZoneVolumes)
{
    SettingsStore s;
    s.setMaxVolume(0, 70);
    EXPECT_EQ(s.maxVolume(0), 63);
    s.setMaxVolume(1, 12);
    EXPECT_EQ(s.maxVolume(1), 9);
    s.setMaxVolume(2, -80);
    EXPECT_EQ(s.maxVolume(2), -50) << "raised to the floor";

    s.setOnVolume(0, 10);
    s.setFurtherLevel(0, 0, 12);
    s.setMaxVolume(0, -20);
    EXPECT_EQ(s.onVolume(0), -20);
    EXPECT_EQ(s.furtherLevel(0, 0), -20);
    s.setOnVolume(0, 5);
    EXPECT_EQ(s.onVolume(0), -20);
    s.setOnVolume(0, -500);
    EXPECT_EQ(s.onVolume(0), -191);
}

TEST(StoreWriters, LevelsLimitedByMainMaxVolume)
{
    SettingsStore s;
    s.setMaxVolume(0, 10);
    s.setNoiseReferenceLevel(20);
    EXPECT_EQ(s.noiseReferenceLevel(), 10);
    s.setNoiseReferenceLevel(-5);
    EXPECT_EQ(s.noiseReferenceLevel(), -5);
    s.setRoomTestToneLevel(11);
    EXPECT_EQ(s.roomTestToneLevel(), 10);
    // A maximum below the byte's -64 dB holds both at -64 dB rather than wrapping them to +58 dB.
    s.setMaxVolume(0, -140);
    s.setNoiseReferenceLevel(0);
    s.setRoomTestToneLevel(0);
    EXPECT_EQ(s.noiseReferenceLevel(), -128);
    EXPECT_EQ(s.roomTestToneLevel(), -128);
}

TEST(StoreWriters, BitFieldsTouchOnlyTheirBits)
{
    SettingsStore s;
    s.set().muteLevel = 0x80;
    s.setMuteLevel(30);
    EXPECT_EQ(s.set().muteLevel, 0x80 | 30);
    s.setMuteLevel(0x3F);  // masked to five bits
    EXPECT_EQ(s.set().muteLevel, 0x80 | 0x1F);

    s.setTimerMode(1, 1, 2);
    EXPECT_EQ(s.set().timer[1].timerModes, 0xA0);
    s.set().timer[1].timerModes = 0x09;  // two copies 1 and 2 of Timer 1
    EXPECT_EQ(s.timerMode(1, 0), 3);

    s.setCopyMain(4, 1);
    EXPECT_EQ(s.set().audioOutFlags, 3 | 0x80);
    s.setRearChoice(3);
    EXPECT_EQ(s.set().speakerConfig[3], 0x5D | 0x0C);
    EXPECT_EQ(s.rearChoice(), 3);
}

TEST(StoreWriters, DigitalTwoNeedsADigitalSource)
{
    SettingsStore s;
    s.setDigital2Source(2);  // CD, analog by default
    EXPECT_EQ(s.digital2Source(), 0);
    s.setDigital2Source(1);  // DVD, digital
    EXPECT_EQ(s.digital2Source(), 1);
    s.setDigital2Source(6);  // SAT, auto
    EXPECT_EQ(s.digital2Source(), 6);
}

TEST(StoreWriters, TimerVolumesAndSwitches)
{
    SettingsStore s;
    s.setTimerVolume(0, 0, 80);
    EXPECT_EQ(s.timerVolume(0, 0), 63);
    s.setTimerVolume(2, 1, 20);
    EXPECT_EQ(s.timerVolume(2, 1), 8);
    s.setTimerVolume(2, 1, -70);
    EXPECT_EQ(s.timerVolume(2, 1), -70);
    s.setTimerStation(0, 0, 7);
    s.setClock24Hour(1);
    s.setTimersEnabled(1);
    EXPECT_EQ(s.timerStation(0, 0), 7);
    EXPECT_EQ(s.set().timer[0].timerStation[0], 0x87);
    EXPECT_EQ(s.timersEnabled(), 1);
}

TEST(StoreWriters, OsInfoChoices)
{
    SettingsStore s;
    s.setOsInfo(1, 1);
    EXPECT_EQ(s.set().displayOptions[5], 2);
    EXPECT_EQ(s.osInfo(1), 1);
    s.setOsInfo(0, 1);
    EXPECT_EQ(s.set().displayOptions[4], 1);
    for (int choice = 0; choice <= 5; ++choice) {
        s.setOsInfo(0, choice);
        EXPECT_EQ(s.osInfo(0), choice);
    }
    s.set().displayOptions[4] = 29;
    EXPECT_EQ(s.osInfo(0), 5);
    s.set().displayOptions[4] = 7;
    EXPECT_EQ(s.osInfo(0), 5);
    s.set().displayOptions[5] = 1;  // Main's bit is not Zone 2's own
    EXPECT_EQ(s.osInfo(1), 5);
}

TEST(StoreWriters, WakeUpFieldMovesWithTheModel)
{
    SettingsStore s;
    s.set().displayOptions[6] = 0x80;
    s.setFrontPanelWakeUp(2);
    s.setDisplayUnitValue(5);
    EXPECT_EQ(s.set().displayOptions[6], 0x80 | (2 << 3) | 5);
    s.setModelKind(ModelKind::CorvalentD1);
    s.set().displayOptions[6] = 0;
    s.setFrontPanelWakeUp(2);
    s.setDisplayUnitValue(7);
    EXPECT_EQ(s.set().displayOptions[6], (2 << 2) | 3);
}

TEST(StoreWriters, BrightnessStaysDescending)
{
    SettingsStore s;
    s.setBrightness(1, 40);  // Medium above High: High follows
    EXPECT_EQ(s.set().displayTail, (std::array<std::uint8_t, 3>{40, 40, 5}));
    s.setBrightness(0, 2);  // High below the others: they follow down
    EXPECT_EQ(s.set().displayTail, (std::array<std::uint8_t, 3>{2, 2, 2}));
    s.setBrightness(2, 63);  // Low above both: carried up through Medium to High
    EXPECT_EQ(s.set().displayTail, (std::array<std::uint8_t, 3>{63, 63, 63}));
    s.setBrightness(1, 0x7F);  // masked to six bits
    EXPECT_EQ(s.brightness(1), 63);
}

TEST(StoreWriters, PresetsClampIntoTheirBank)
{
    SettingsStore s;
    s.setPresetFrequency(0, 100);
    EXPECT_EQ(s.set().presetOffset[0], 47);
    EXPECT_EQ(s.presetFrequency(0), 100);
    s.setPresetFrequency(1, 20);
    EXPECT_EQ(s.presetFrequency(1), 53);
    s.setPresetFrequency(6, 1079);
    EXPECT_EQ(s.set().presetOffset[6], 204);
    s.setPresetFrequency(23, 2000);
    EXPECT_EQ(s.presetFrequency(23), 1079);
}

TEST(StoreWriters, EqualisersClampToTheModeLevelLimits)
{
    SettingsStore s;
    s.setEqLow(10, 30);
    s.setEqHigh(0, -30);
    EXPECT_EQ(s.eqLow(10), 24);
    EXPECT_EQ(s.eqHigh(0), -24);
}

TEST(StoreSpeakers, EffectiveSizeWithAdvancedSettings)
{
    SettingsStore s;
    s.setSpeakerSize(0, 0, 1);
    s.setUseAdvancedSettings(0, 1);
    s.setCrossover(0, 0, 170);
    EXPECT_EQ(s.storedSpeakerSize(0, 0), 1);
    EXPECT_EQ(s.speakerSize(0, 0), 2);
    s.setCrossover(0, 0, 160);
    EXPECT_EQ(s.speakerSize(0, 0), 1);
    s.setSpeakerSize(0, 0, 0);
    s.setCrossover(0, 0, 170);
    EXPECT_EQ(s.speakerSize(0, 0), 0) << "no speaker stays no speaker";
}

TEST(StoreSpeakers, SubwooferChoices)
{
    SettingsStore s;
    for (int choice = 0; choice <= 4; ++choice) {
        s.setSubwooferChoice(1, choice);
        EXPECT_EQ(s.subwooferChoice(1), choice);
    }
    s.setSubwooferChoice(1, 2);
    EXPECT_EQ(s.storedSpeakerSize(1, 4), 1);
    EXPECT_EQ(s.twoUnits(1, 4), 1);
}

TEST(StoreSpeakers, ConsistencyRules)
{
    SettingsStore s;
    const int cinema = 1;
    for (int g = 0; g < 4; ++g)
        s.setSpeakerSize(cinema, g, 2);
    s.setSpeakerSize(cinema, 4, 0);
    s.setCrossover(cinema, 4, 200);
    s.applySpeakerRules(cinema);
    EXPECT_EQ(s.crossover(cinema, 4), 160) << "no subwoofer caps the crossover";

    s.setSpeakerSize(cinema, 4, 1);
    s.setCrossover(cinema, 4, 200);
    s.applySpeakerRules(cinema);
    EXPECT_EQ(s.crossover(cinema, 4), 200) << "all large with a subwoofer keeps it";

    s.setSpeakerSize(cinema, 1, 1);
    s.applySpeakerRules(cinema);
    EXPECT_EQ(s.crossover(cinema, 4), 160) << "a small center caps it";

    s.setSpeakerSize(cinema, 0, 1);
    s.setSpeakerSize(cinema, 4, 0);
    s.setSpeakerSize(cinema, 2, 0);
    s.applySpeakerRules(cinema);
    EXPECT_EQ(s.storedSpeakerSize(cinema, 4), 1) << "small fronts need a subwoofer";
    EXPECT_EQ(s.storedSpeakerSize(cinema, 3), 0) << "no surrounds, no rears";
    EXPECT_EQ(s.storedSpeakerSize(0, 3), 1) << "the other mode is untouched";

    s.setUseAdvancedSettings(cinema, 1);
    s.setCrossover(cinema, 4, 200);
    s.applySpeakerRules(cinema);
    EXPECT_EQ(s.crossover(cinema, 4), 200) << "advanced settings keep it while a subwoofer exists";
}

TEST(StoreWriters, VideoListPositionsAreAPermutation)
{
    for (int code = 0; code < 8; ++code)
        EXPECT_EQ(SettingsStore::videoCodeAt(SettingsStore::videoListPosition(code)), code);
    EXPECT_EQ(SettingsStore::videoListPosition(3), 7);  // "None" is last
    EXPECT_EQ(SettingsStore::videoListPosition(8), 7);  // 2-CH and 6-CH have no video
    EXPECT_EQ(SettingsStore::videoListPosition(9), 7);
}

}  // namespace
}  // namespace velmar
