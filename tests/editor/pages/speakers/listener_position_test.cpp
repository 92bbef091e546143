// "3. Listener Position": distances in feet or metres, and which of them the speaker
// arrangement of "2. Speaker Config" asks for.
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <gtest/gtest.h>

#include "app/texts.h"
#include "speaker_pages_fixture.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

class ListenerTest : public SpeakerPagesTest {
protected:
    // The edits' focus and leave rules need the window's focus, as a user's window has it.
    CListenerPosition& activeListenerPage()
    {
        auto& page = listenerPage();
        QApplication::setActiveWindow(sheet.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(sheet.get()));
        return page;
    }
};

}  // namespace

TEST_F(ListenerTest, DistancesFollowTheArrangementChosenOnTheSpeakerPage)
{
    // surround type, rear type -> surround edits, left rear edit, right rear edit, presets shown
    struct Case {
        int surround;
        int rear;
        bool surrounds;
        bool leftRear;
        bool rightRear;
        bool rightRearLabel;
    };
    const Case cases[] = {
        {0, 1, true, true, true, true},
        {0, 0, true, true, false, false},
        {1, 2, false, false, false, true},
        {1, 3, false, false, false, true},
    };
    for (const Case& c : cases) {
        auto& speakers = speakerPage();
        chooseItem(speakers, kIdSurroundType, c.surround);
        chooseItem(speakers, kIdRearType, c.rear);
        auto& page = listenerPage();
        const std::string at = std::to_string(c.surround) + "/" + std::to_string(c.rear);
        for (const int id : {kIdLeftSurroundEdit, kIdRightSurroundSlider, kIdLeftSurroundUnit})
            EXPECT_EQ(shown(page, id), c.surrounds) << at << " " << id;
        EXPECT_EQ(shown(page, kIdLeftSurroundPreset), !c.surrounds) << at;
        EXPECT_EQ(shown(page, kIdRightSurroundPreset), !c.surrounds) << at;
        EXPECT_EQ(shown(page, kIdLeftRearEdit), c.leftRear) << at;
        EXPECT_EQ(shown(page, kIdRightRearEdit), c.rightRear) << at;
        EXPECT_EQ(shown(page, kIdRightRearUnit), c.rightRear) << at;
        EXPECT_EQ(shown(page, kIdRightRearLabel), c.rightRearLabel) << at;
        const bool presets = c.rear >= 2;
        EXPECT_EQ(shown(page, kIdLeftRearPreset), presets) << at;
        EXPECT_EQ(shown(page, kIdRightRearPreset), presets) << at;
        // Front, center and subwoofer distances always apply.
        EXPECT_TRUE(shown(page, kIdCenterEdit) && shown(page, kIdSubwooferEdit)) << at;
    }
}

TEST_F(ListenerTest, AHalfFootIsHeldInTenthsAndShownAgainOnReturn)
{
    listener().metric = 0;
    auto& page = listenerPage();
    enter(page, kIdLeftFrontEdit, "12.5");
    speakerPage();
    EXPECT_EQ(listener().distance[0], 125);
    EXPECT_EQ(textOf(listenerPage(), kIdLeftFrontEdit), "12.5");
    EXPECT_EQ(slider(page, kIdLeftFrontSlider).value(), 25);
}

TEST_F(ListenerTest, SwitchingUnitsKeepsEverySliderPositionAndRenamesTheCaptions)
{
    listener().metric = 0;
    listener().distance[0] = 100;  // Left Front 10.0 ft
    listener().distance[1] = 900;  // Center 90.0 ft
    listener().distance[4] = 35;   // 7.1-Right Rear 3.5 ft
    auto& page = listenerPage();
    const auto captions = [&] {
        return std::vector<std::string>{textOf(page, kIdLeftFrontUnit), textOf(page, kIdRightRearUnit),
                                        textOf(page, kIdRearSpacingWide), textOf(page, kIdRearSpacingMiddle),
                                        textOf(page, kIdRearSpacingClose)};
    };
    EXPECT_EQ(captions(), (std::vector<std::string>{"ft", "ft", "4+ ft", "1-4 ft", "0-1 ft"}));
    clickControl(page, kIdMetres);
    EXPECT_EQ(captions(), (std::vector<std::string>{"m", "m", "1.2+ m", ".3-1.2 m", "0-.3 m"}));
    EXPECT_TRUE(isChecked(page, kIdMetres) && !isChecked(page, kIdFeet));
    EXPECT_EQ(textOf(page, kIdLeftFrontEdit), "4");
    EXPECT_EQ(textOf(page, kIdCenterEdit), "32");
    EXPECT_EQ(listener().distance[0], 40);
    EXPECT_EQ(listener().distance[1], 320);
    EXPECT_EQ(listener().distance[4], 14);

    clickControl(page, kIdFeet);
    EXPECT_EQ(textOf(page, kIdLeftFrontEdit), "10");
    EXPECT_EQ(textOf(page, kIdCenterEdit), "80");
    EXPECT_EQ(listener().distance[0], 100);
    EXPECT_EQ(listener().distance[4], 35);
    EXPECT_EQ(listener().metric, 0);
}

TEST_F(ListenerTest, ADistanceBeyondTheRangeIsShownAsStoredAndLimitedInTheStore)
{
    listener().metric = 0;
    listener().distance[2] = 1000;  // Right Front 100.0 ft
    auto& page = listenerPage();
    EXPECT_EQ(textOf(page, kIdRightFrontEdit), "100");
    speakerPage();
    EXPECT_EQ(listener().distance[2], 1000);
    SettingsStore s;
    listener().saveToStore(s);
    EXPECT_EQ(s.speakerDistance(2), 990);
}

TEST_F(ListenerTest, RearSpacingIsOneGroupApartFromTheUnits)
{
    listener().metric = 1;
    listener().rearSpacing = 0;
    auto& page = listenerPage();
    clickControl(page, kIdRearSpacingClose);
    EXPECT_EQ(listener().rearSpacing, 2);
    EXPECT_EQ(listener().metric, 1);
    EXPECT_TRUE(isChecked(page, kIdMetres));
}

// 12.3 ft is off the half-foot steps: taken as 12.0 while typed, refused when the edit is left,
// its text then selected with the focus left where the user put it.
TEST_F(ListenerTest, ARefusedDistanceKeepsThePageOnATabOrOkClickAndIsNeverStored)
{
    ModalScript script;
    listener().metric = 0;
    auto& page = activeListenerPage();
    typeKeys(page, kIdLeftFrontEdit, "12.3");
    EXPECT_EQ(listener().distance[0], 120);

    auto* tabs = sheet->findChild<QTabBar*>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(sheet->indexOfPlace(kCalibrationPlace)).center());
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].title, texts::kOutOfRangeCaption);
    EXPECT_EQ(sheet->activePage(), &page);
    EXPECT_EQ(tabs->currentIndex(), sheet->indexOfPlace(kListenerPlace));
    EXPECT_EQ(page.controlAs<QLineEdit>(kIdLeftFrontEdit)->selectedText(), "12.3");
    EXPECT_EQ(sheet->focusWidget(), tabs);

    page.control(kIdLeftFrontEdit)->setFocus();
    QTest::mouseClick(sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(script.shown.size(), 2u);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(listener().distance[0], 120);
}

// "1,5" is no number: the exchange stops, and a unit clicked meanwhile is not taken either.
TEST_F(ListenerTest, AUnitRefusedWithTheDistancesIsNotTakenByTheNextCommit)
{
    ModalScript script;
    listener().metric = 0;
    listener().distance[1] = 120;
    auto& page = listenerPage();
    typeKeys(page, kIdLeftFrontEdit, "1,5");
    clickControl(page, kIdMetres);
    EXPECT_EQ(script.shown.back().text, ui::kEnterNumberText);
    EXPECT_TRUE(isChecked(page, kIdFeet));
    QTest::keyClick(&slider(page, kIdCenterSlider), Qt::Key_Right);
    EXPECT_EQ(listener().metric, 0);
    EXPECT_EQ(listener().distance[1], 125);
    EXPECT_EQ(textOf(page, kIdCenterUnit), "ft");
}
