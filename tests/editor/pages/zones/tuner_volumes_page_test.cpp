// "11.Tuner" and "8. Volume/Path Names" through their controls.
#include <QLineEdit>

#include "app/save_prompt_dialog.h"
#include "pages/zones/time_timer_page.h"
#include "pages/zones/volumes_page.h"
#include "zone_pages_fixture.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

class TunerPage : public ZonePages {
protected:
    CTuner& page() { return show<CTuner>(11); }
    TunerRecord& tuner() { return working().tuner; }
};

class VolumesPage : public ZonePages {
protected:
    CVolumesRenamePaths& page() { return show<CVolumesRenamePaths>(8); }
    VolumesRecord& volumes() { return working().volumes; }
};

}  // namespace

TEST_F(TunerPage, StartsOnFm1PresetOneWithoutOkAndCancel)
{
    EXPECT_EQ(itemText(page(), kIdBand), "FM 1");
    EXPECT_EQ(textOf(page(), kIdPresetLabel), "Preset: 1");
    EXPECT_FALSE(shown(page(), ui::kIdOk));
    EXPECT_FALSE(shown(page(), ui::kIdCancel));
    for (int k = 0; k < kPresetsPerBank; ++k) {
        clickControl(page(), kIdPresetButtons[k]);
        EXPECT_EQ(textOf(page(), kIdPresetLabel), "Preset: " + std::to_string(k + 1));
    }
}

TEST_F(TunerPage, BandSwitchKeepsThePresetNumberAndRangesTheFrequency)
{
    tuner().freq[3] = 1200;
    tuner().freq[9] = 1011;
    clickControl(page(), kIdPresetButtons[3]);
    EXPECT_EQ(textOf(page(), kIdFreqEdit), "101.1");
    EXPECT_TRUE(shown(page(), kIdStereo));
    saveScreenshot("11-tuner.png");
    chooseItem(page(), kIdBand, 0);
    EXPECT_EQ(textOf(page(), kIdPresetLabel), "Preset: 4");
    EXPECT_EQ(textOf(page(), kIdFreqEdit), "1200");
    EXPECT_EQ(slider(page(), kIdFreqSlider)->minimum(), 530);
    EXPECT_EQ(slider(page(), kIdFreqSlider)->maximum(), 1710);
    EXPECT_FALSE(shown(page(), kIdStereo));
    EXPECT_FALSE(shown(page(), kIdMono));
    EXPECT_EQ(tuner().freq[9], 1011);
}

TEST_F(TunerPage, AModeNoRadioShowsIsKept)
{
    tuner().mode[8] = 3;
    clickControl(page(), kIdPresetButtons[2]);
    EXPECT_FALSE(isChecked(page(), kIdStereo) || isChecked(page(), kIdHighBlend) || isChecked(page(), kIdMono));
    typeText(page(), kIdFreqEdit, "99.5");
    EXPECT_EQ(tuner().freq[8], 995);
    EXPECT_EQ(tuner().mode[8], 3);
    setChecked(page(), kIdMono);
    EXPECT_EQ(tuner().mode[8], 2);
}

TEST_F(TunerPage, FrequenciesAndModesReachTheStoreInItsSteps)
{
    typeText(page(), kIdFreqEdit, "101.1");
    setChecked(page(), kIdHighBlend);
    EXPECT_EQ(tuner().freq[6], 1011);
    EXPECT_EQ(tuner().mode[6], 1);
    chooseItem(page(), kIdBand, 0);
    clickControl(page(), kIdPresetButtons[1]);
    typeText(page(), kIdFreqEdit, "1005");
    EXPECT_EQ(tuner().freq[1], 1005);
    EXPECT_EQ(tuner().mode[1], 0);

    tuner().saveToStore(store);
    EXPECT_EQ(store.set().presetOffset[6], 136);
    TunerRecord back;
    back.loadFromStore(store);
    EXPECT_EQ(back.freq[6], 1011);
    EXPECT_EQ(back.mode[6], 1);
    EXPECT_EQ(back.freq[1], 1000);
}

TEST_F(TunerPage, ShowsWhatTheChooserChangedWhenShownAgain)
{
    ModalScript script;
    page();
    working().timers.entry[0][0].source = 3;
    working().timers.entry[0][0].station = 6;
    auto& timers = show<CTimeTimerPage>(1);
    setChecked(timers, kIdEnableTimers);
    script.answer([](QDialog& window) {
        typeText(chooserIn(window), kIdFreqEdit, "88.1");
        clickControl(chooserIn(window), ui::kIdOk);
    });
    clickControl(timers, kIdStation);
    EXPECT_EQ(textOf(page(), kIdFreqEdit), "88.1");
    EXPECT_EQ(tuner().freq[6], 881);
}

TEST_F(TunerPage, ClosingTheSheetWritesNoPresetIntoAnother)
{
    ModalScript script;
    tuner().freq[16] = 1003;
    page();
    typeText(page(), kIdFreqEdit, "88.1");
    working().timers.entry[0][0].source = 3;
    auto& timers = show<CTimeTimerPage>(1);
    setChecked(timers, kIdEnableTimers);
    script.answer([](QDialog& window) {
        chooseItem(chooserIn(window), kIdBand, 2);
        clickControl(chooserIn(window), kIdPresetButtons[4]);
        clickControl(chooserIn(window), ui::kIdOk);
    });
    clickControl(timers, kIdStation);
    ASSERT_EQ(working().timers.entry[0][0].station, 16);
    page();
    typeText(page(), kIdFreqEdit, "90.5");
    script.click(kSavePromptNo);
    sheet->pressCancel();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(tuner().freq[6], 905);
    EXPECT_EQ(tuner().freq[16], 1003);
}

TEST_F(VolumesPage, OnVolumeNeverPassesMaxVolume)
{
    enter(page(), kIdOnVolumeEdit, "-10");
    EXPECT_EQ(volumes().onVolume[0], -20);
    drag(page(), kIdMaxVolumeSlider, -30);
    EXPECT_EQ(volumes().maxVolume[0], -30);
    EXPECT_EQ(volumes().onVolume[0], -30);
    EXPECT_EQ(textOf(page(), kIdOnVolumeEdit), "-15");
    EXPECT_EQ(slider(page(), kIdOnVolumeSlider)->maximum(), -30);
    drag(page(), kIdOnVolumeSlider, 10);
    EXPECT_EQ(volumes().onVolume[0], -30);
}

TEST_F(VolumesPage, AMaxVolumeTypedKeyByKeyLeavesOnVolumeAlone)
{
    volumes().maxVolume[0] = 20;  // +10 dB
    volumes().onVolume[0] = 10;   // +5 dB
    typeKeys(page(), kIdMaxVolumeEdit, "20");
    EXPECT_EQ(volumes().maxVolume[0], 40);
    EXPECT_EQ(volumes().onVolume[0], 10);
    EXPECT_EQ(textOf(page(), kIdOnVolumeEdit), "5");
}

TEST_F(VolumesPage, Zone2AtTheTopLocksToOnVolume)
{
    clickControl(page(), kIdPathZone2);
    EXPECT_EQ(textOf(page(), kIdVolumeBox), "Zone2");
    EXPECT_TRUE(shown(page(), kIdMaxVolumeEdit));
    EXPECT_FALSE(shown(page(), kIdLockToOnVol));
    drag(page(), kIdMaxVolumeSlider, 9);
    EXPECT_EQ(volumes().maxVolume[1], 9);
    EXPECT_TRUE(shown(page(), kIdLockToOnVol));
    EXPECT_FALSE(shown(page(), kIdMaxVolumeEdit));
    EXPECT_FALSE(shown(page(), kIdMaxVolumeUnit));
    saveScreenshot("08-volume-path-names.png");
    enter(page(), kIdOnVolumeEdit, "10");
    EXPECT_EQ(volumes().onVolume[1], 8);
    EXPECT_EQ(slider(page(), kIdOnVolumeSlider)->maximum(), 8);
    // Main never locks.
    clickControl(page(), kIdPathMain);
    drag(page(), kIdMaxVolumeSlider, 63);
    EXPECT_FALSE(shown(page(), kIdLockToOnVol));
}

TEST_F(VolumesPage, EachPathKeepsItsOwnVolumes)
{
    clickControl(page(), kIdPathZone3);
    enter(page(), kIdOnVolumeEdit, "-20");
    enter(page(), kIdMaxVolumeEdit, "5");
    clickControl(page(), kIdPathHPhone);
    EXPECT_EQ(textOf(page(), kIdVolumeBox), "HPhone");
    EXPECT_EQ(textOf(page(), kIdOnVolumeEdit), "-35");
    EXPECT_EQ(textOf(page(), kIdMaxVolumeEdit), "10");
    enter(page(), kIdOnVolumeEdit, "-30");
    clickControl(page(), kIdPathZone3);
    EXPECT_EQ(textOf(page(), kIdOnVolumeEdit), "-20");
    EXPECT_EQ(textOf(page(), kIdMaxVolumeEdit), "5");
    EXPECT_EQ(volumes().onVolume[2], -16);
    EXPECT_EQ(volumes().maxVolume[2], 4);
    EXPECT_EQ(volumes().onVolume[3], -24);
    EXPECT_EQ(volumes().maxVolume[3], 8);
}

TEST_F(VolumesPage, ReturningShowsMainAndLeavingWritesTheStore)
{
    chooseItem(page(), kIdMuteLevel, 3);
    clickControl(page(), kIdPathZone2);
    enter(page(), kIdMaxVolumeEdit, "-10");
    enter(page(), kIdRenameRecord, "VCR2");
    sheet->setActivePage(0);
    EXPECT_EQ(store.muteLevel(), 15);
    EXPECT_EQ(store.maxVolume(1), -8);
    EXPECT_EQ(store.zoneName(4), "VCR2");

    page();
    EXPECT_TRUE(isChecked(page(), kIdPathMain));
    EXPECT_EQ(textOf(page(), kIdVolumeBox), "Main");
    EXPECT_EQ(textOf(page(), kIdMaxVolumeEdit), "10");
    EXPECT_EQ(slider(page(), kIdMaxVolumeSlider)->maximum(), 63);
    VolumesRecord back;
    back.loadFromStore(store);
    EXPECT_EQ(back.muteLevel, 3);
    EXPECT_EQ(itemText(page(), kIdMuteLevel), "-15 dB");
}

TEST_F(VolumesPage, NamesTakeSixPrintableCharacters)
{
    auto* edit = page().controlAs<QLineEdit>(kIdRenameZone3);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("B"));
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("\u00e9"), Qt::NoModifier);
    QTest::keyClicks(edit, QStringLiteral("d 3 long"));
    EXPECT_EQ(edit->text(), "Bd 3 l");
    sheet->setActivePage(0);
    EXPECT_EQ(volumes().zone3Name, "Bd 3 l");
}
