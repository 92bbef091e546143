// "6. Adjust Input Levels" and "7. A-D/Audio-Out Format", headless, through controls by id.
#include <QComboBox>

#include "pages/sources/ad_audio_out_format_page.h"
#include "pages/sources/adjust_input_levels_page.h"
#include "control_driver.h"
#include "editor_fixture.h"
#include "pages/sources/source_kinds.h"
#include "pages/sources/source_texts.h"
#include "app/texts.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

constexpr int kDvd = 0, kCd = 1, kSat = 5;

class SourceLevelPages : public EditorFixture {
protected:
    template <class Page>
    Page& show(int place)
    {
        EXPECT_TRUE(sheet->setActivePage(sheet->indexOfPlace(place)));
        return dynamic_cast<Page&>(*sheet->activePage());
    }
    CAdjustInputLevels& levels() { return show<CAdjustInputLevels>(6); }
    CADAudioOutFormat& audioOut() { return show<CADAudioOutFormat>(7); }
    void leavePage() { sheet->setActivePage(0); }
    SettingsRecordSet& working() { return set(kWorkingSet); }

    ModalScript script;
};

bool visibleAndEnabled(ui::ControlHost& host, int id)
{
    QWidget* w = host.control(id);
    return w && !w->isHidden() && w->isEnabled();
}

}  // namespace

TEST_F(SourceLevelPages, EveryVisitStartsOnDvd)
{
    working().inputLevels.level[kDvd] = -4;
    working().inputLevels.level[kCd] = 12;
    auto& page = levels();
    EXPECT_EQ(textOf(page, kIdLevelSourceLabel), "DVD:");
    EXPECT_EQ(textOf(page, kIdLevelEdit), "-2");
    clickControl(page, sourceButtonOf(kCd)->id);
    EXPECT_EQ(textOf(page, kIdLevelSourceLabel), "CD:");
    EXPECT_EQ(textOf(page, kIdLevelEdit), "6");
    clickControl(page, sourceButtonOf(kTunerSource)->id);
    EXPECT_EQ(textOf(page, kIdLevelSourceLabel), "FMAM:");
    leavePage();
    EXPECT_EQ(levels().selectedSource(), kDvd);
    EXPECT_EQ(textOf(levels(), kIdLevelSourceLabel), "DVD:");
    EXPECT_EQ(textOf(levels(), kIdLevelEdit), "-2");
    saveScreenshot("06-adjust-input-levels.png");
}

TEST_F(SourceLevelPages, LevelsOffTheHalfDecibelStepAreRefusedAndLeavingWritesTheStore)
{
    auto& page = levels();
    clickControl(page, sourceButtonOf(kCd)->id);
    typeText(page, kIdLevelEdit, "3.25");
    leaveEdit(page, kIdLevelEdit);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].title, texts::kOutOfRangeCaption);
    EXPECT_EQ(script.shown[0].text, "Invalid Input, Range out of bounds: -20.0 To 31.5 with step 0.5");

    typeText(page, kIdLevelEdit, "3.5");
    leaveEdit(page, kIdLevelEdit);
    EXPECT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(working().inputLevels.level[kCd], 7);
    EXPECT_EQ(working().inputLevels.level[kDvd], 0) << "the other sources' pairs are not touched";
    EXPECT_NE(store.inputLevel(kCd), 7);
    leavePage();
    EXPECT_EQ(store.inputLevel(kCd), 7);

    clickControl(levels(), sourceButtonOf(kCd)->id);
    EXPECT_EQ(textOf(levels(), kIdLevelEdit), "3.5");
}

TEST_F(SourceLevelPages, DigitalTwoFallsBackToDigitalOneForAnAnalogSource)
{
    working().setupPresets.entry[kSat].audioIn = 1;  // "Anlg-Dir"
    auto& page = audioOut();
    chooseItem(page, kIdDigital2, 5);
    EXPECT_EQ(itemText(page, kIdDigital2), "SAT - Digital");
    leavePage();
    EXPECT_EQ(working().audioOut.digital2, 5);
    working().saveToStore(store);
    EXPECT_EQ(working().audioOut.digital2, 0);
    EXPECT_EQ(store.digital2Source(), 0);

    working().setupPresets.entry[kSat].audioIn = 2;  // "Dig"
    chooseItem(audioOut(), kIdDigital2, 5);
    leavePage();
    working().saveToStore(store);
    EXPECT_EQ(store.digital2Source(), kSat + 1);

    store.set().audioOutFormat = 4;  // the tuner's code, which has no item
    working().audioOut.loadFromStore(store);
    EXPECT_EQ(itemText(audioOut(), kIdDigital2), "Digital 1");
}

// Codes 9 and 10 would name the analog-only 2-CH and 6-CH inputs, 11 to 15 no source at all.
TEST_F(SourceLevelPages, ADigitalTwoCodePastTheListShowsNoItemAndIsKept)
{
    for (const int code : {9, 15}) {
        store.set().audioOutFormat = static_cast<std::uint8_t>(code);
        working().audioOut.loadFromStore(store);
        EXPECT_EQ(audioOut().controlAs<QComboBox>(kIdDigital2)->currentIndex(), -1) << code;
        leavePage();
        working().saveToStore(store);
        EXPECT_EQ(store.digital2Source(), code);
    }
}

TEST_F(SourceLevelPages, RearOptionsReadNaWithoutRearSpeakers)
{
    working().speakerConfig.cinema.rears = 0;
    working().speakerConfig.music.rears = 0;
    auto& page = audioOut();
    for (const int id : {kIdReverseSurRear, kIdCopySurToRear}) {
        EXPECT_FALSE(page.control(id)->isEnabled()) << id;
        EXPECT_FALSE(page.control(id)->isHidden()) << id;
    }
    for (const int id : {kIdReverseSurRearLabel, kIdCopySurToRearLabel})
        EXPECT_TRUE(page.control(id)->isHidden()) << id;
    for (const int id : {kIdReverseNa, kIdCopyNa}) {
        EXPECT_FALSE(page.control(id)->isHidden()) << id;
        EXPECT_FALSE(page.control(id)->isEnabled()) << id;
    }
    saveScreenshot("07-audio-out-no-rears.png");

    leavePage();
    working().speakerConfig.music.rears = 1;
    auto& again = audioOut();
    for (const int id : {kIdReverseSurRear, kIdCopySurToRear, kIdReverseSurRearLabel, kIdCopySurToRearLabel})
        EXPECT_TRUE(visibleAndEnabled(again, id)) << id;
    EXPECT_TRUE(again.control(kIdReverseNa)->isHidden());
    setChecked(again, kIdCopySurToRear);
    leavePage();
    EXPECT_EQ(working().audioOut.copySurToRear, 1);
}

TEST_F(SourceLevelPages, BoxPairsActAsOneChoiceAndKeepTheListsChosenBefore)
{
    working().audioOut.dig1Is16Bit = 1;
    working().audioOut.balOutZone2 = 0;
    auto& page = audioOut();
    EXPECT_TRUE(isChecked(page, kId16Bit));
    EXPECT_FALSE(isChecked(page, kId24Bit));
    EXPECT_TRUE(isChecked(page, kIdCtr2Sub2));

    chooseItem(page, kIdFs6ch, 1);  // the factory setting is 96 kHz
    clickControl(page, kId24Bit);
    EXPECT_EQ(working().audioOut.dig1Is16Bit, 0);
    EXPECT_FALSE(isChecked(page, kId16Bit));
    EXPECT_TRUE(isChecked(page, kId24Bit));
    EXPECT_EQ(itemText(page, kIdFs6ch), "48.0 kHz");

    clickControl(page, kId24Bit);  // already chosen: stays so
    EXPECT_TRUE(isChecked(page, kId24Bit));
    EXPECT_EQ(working().audioOut.dig1Is16Bit, 0);

    clickControl(page, kIdZone2LR);
    EXPECT_EQ(working().audioOut.balOutZone2, 1);
    EXPECT_FALSE(isChecked(page, kIdCtr2Sub2));
    leavePage();
    EXPECT_EQ(working().audioOut.fs6ch, 1);
}
