// "10. Displays/Timeout", driven through its controls.
#include <QComboBox>
#include <QSlider>
#include <QTest>

#include "pages/system/displays_timeout_page.h"
#include "editor_fixture.h"
#include "app/save_prompt_dialog.h"
#include "app/texts.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

const std::vector<int> kBrightnessIds{kIdHighSlider, kIdHighEdit,         kIdMediumSlider, kIdMediumEdit,
                                      kIdLowSlider,  kIdLowEdit,          kIdHighLabel,    kIdMediumLabel,
                                      kIdLowLabel,   kIdBrightnessCaption};

class DisplaysPage : public EditorFixture {
protected:
    explicit DisplaysPage(sim::UnitConfig config = {}) : EditorFixture(std::move(config)) {}
    CDisplaysTimeout& page()
    {
        sheet->setActivePage(sheet->indexOfPlace(10));
        return dynamic_cast<CDisplaysTimeout&>(*sheet->activePage());
    }
    DisplaysRecord& record() { return set(kWorkingSet).displays; }
    std::pair<int, int> range(int slider)
    {
        auto* s = page().controlAs<QSlider>(slider);
        return {s->minimum(), s->maximum()};
    }
    bool brightnessShown()
    {
        bool shown = true;
        bool hidden = true;
        for (const int id : kBrightnessIds) {
            QWidget* w = page().control(id);
            shown = shown && !w->isHidden() && w->isEnabled();
            hidden = hidden && w->isHidden() && !w->isEnabled();
        }
        EXPECT_TRUE(shown || hidden) << "all or none";
        return shown;
    }
};

sim::UnitConfig model(const char* name)
{
    sim::UnitConfig c;
    c.model = name;
    return c;
}

}  // namespace

TEST_F(DisplaysPage, BrightnessLevelsKeepEachOtherInRange)
{
    ModalScript script;
    store.setModelKind(ModelKind::Qrx20);
    record().brightLow = 3;
    record().brightMedium = 7;
    record().brightHigh = 12;
    page();
    EXPECT_EQ(range(kIdMediumSlider), std::pair(4, 11));
    EXPECT_EQ(range(kIdLowSlider), std::pair(1, 6));
    EXPECT_EQ(range(kIdHighSlider), std::pair(8, 15));
    saveScreenshot("10-displays-timeout-qrx20.png");

    script.click(ui::kIdOk);
    typeText(page(), kIdMediumEdit, "12");
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].text, "Invalid Input, Range out of bounds: 4.0 To 11.0 with step 1.0");
    EXPECT_EQ(record().brightMedium, 7);

    // Medium taken: the neighbours' ranges follow at once.
    typeText(page(), kIdMediumEdit, "10");
    EXPECT_EQ(record().brightMedium, 10);
    EXPECT_EQ(range(kIdHighSlider), std::pair(11, 15));
    EXPECT_EQ(range(kIdLowSlider), std::pair(1, 9));
    EXPECT_EQ(record().brightHigh, 12);
}

TEST_F(DisplaysPage, TheTimeoutRefusesSixteenAsTypedAndTakesOffStepValuesTruncated)
{
    ModalScript script;
    record().functionTimeout = 5;
    script.click(ui::kIdOk);
    typeText(page(), kIdTimeoutEdit, "16");
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].text, "Invalid Input, Range out of bounds: 1.0 To 15.0 with step 1.0");
    EXPECT_EQ(record().functionTimeout, 5);

    // No lost-focus rule on this page: 7.6 is 7 and leaving the edit says nothing.
    typeText(page(), kIdTimeoutEdit, "7.6");
    leaveEdit(page(), kIdTimeoutEdit);
    EXPECT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(record().functionTimeout, 7);
}

TEST_F(DisplaysPage, OsInfoChoicesRoundTripAsMasksAndZonesAreIndependent)
{
    chooseItem(page(), kIdMainOsInfo, 3);  // "Mn + HP + Z3"
    chooseItem(page(), kIdMainOsPosition, 0);
    chooseItem(page(), kIdZone2OsPosition, 2);
    ASSERT_TRUE(sheet->setActivePage(0));
    SettingsStore s;
    record().saveToStore(s);
    EXPECT_EQ(s.osInfoMask(0), 13);
    EXPECT_EQ(s.osPosition(0), 0);
    EXPECT_EQ(s.osPosition(1), 2);
}

// Main's list has an item for five masks and "M + HP + Z3 +R" for 29; Zone 2's only two.
TEST_F(DisplaysPage, AMaskNoItemWritesShowsNoChoiceAndIsKeptThroughOk)
{
    ModalScript script;
    SettingsStore s;
    s.setOsInfoMask(0, 3);
    s.setOsInfoMask(1, 9);
    record().loadFromStore(s);
    EXPECT_EQ(page().controlAs<QComboBox>(kIdMainOsInfo)->currentIndex(), -1);
    EXPECT_EQ(page().controlAs<QComboBox>(kIdZone2OsInfo)->currentIndex(), -1);
    chooseItem(page(), kIdWakeUp, 2);
    script.click(kSavePromptNo);
    sheet->pressOk();
    EXPECT_FALSE(sheet->isVisible());
    SettingsStore after;
    set(kCurrentSet).displays.saveToStore(after);
    EXPECT_EQ(after.osInfoMask(0), 3);
    EXPECT_EQ(after.osInfoMask(1), 9);
    EXPECT_EQ(after.frontPanelWakeUp(), 2);
}

TEST_F(DisplaysPage, OtherModelsHaveNoBrightnessControlsAndKeepTheirValues)
{
    for (const ModelKind kind : {ModelKind::Qrx30, ModelKind::CorvalentD1}) {
        store.setModelKind(kind);
        record().brightLow = 12;  // out of order: nothing may put it right
        record().brightMedium = 2;
        record().brightHigh = 9;
        EXPECT_FALSE(brightnessShown());
        typeText(page(), kIdTimeoutEdit, "3");
        ASSERT_TRUE(sheet->setActivePage(0));
        EXPECT_EQ(record().brightLow, 12);
        EXPECT_EQ(record().brightMedium, 2);
        EXPECT_EQ(record().brightHigh, 9);
        EXPECT_EQ(record().functionTimeout, 3);
    }
    saveScreenshot("10-displays-timeout.png");
}

TEST_F(DisplaysPage, BrightnessTheRangesCannotHoldIsShownInOrderAndKeptSoOnTheNextVisit)
{
    store.setModelKind(ModelKind::Qrx20);
    // low, medium, high stored -> shown (factory settings made before a QRX 20 was detected
    // hold zeros; a file may hold anything)
    const std::array<int, 3> cases[][2] = {
        {{0, 0, 0}, {1, 2, 3}},
        {{15, 15, 15}, {13, 14, 15}},
        {{9, 4, 40}, {3, 4, 15}},
    };
    for (const auto& [stored, shown] : cases) {
        record().brightLow = stored[0];
        record().brightMedium = stored[1];
        record().brightHigh = stored[2];
        page();
        sheet->setActivePage(0);
        const std::array<int, 3> kept{record().brightLow, record().brightMedium, record().brightHigh};
        EXPECT_EQ(kept, shown) << stored[0] << " " << stored[1] << " " << stored[2];
        page();
        sheet->setActivePage(0);
        EXPECT_EQ((std::array<int, 3>{record().brightLow, record().brightMedium, record().brightHigh}), kept);
    }
}

// A page step (PageUp, or a click beside the knob) moves a slider one step and takes nothing, so the neighbours' ranges
// stay as they were and Low and Medium can cross before the page is left. What is stored must
// be in order and stay as it is on the next visit.
TEST_F(DisplaysPage, BrightnessStepsThatCrossBeforeTheyAreTakenAreStoredInOrder)
{
    store.setModelKind(ModelKind::Qrx20);
    record().brightLow = 3;
    record().brightMedium = 5;
    record().brightHigh = 12;
    QTest::keyClick(page().controlAs<QSlider>(kIdLowSlider), Qt::Key_PageUp);
    QTest::keyClick(page().controlAs<QSlider>(kIdMediumSlider), Qt::Key_PageDown);
    sheet->setActivePage(0);
    const std::array<int, 3> stored{record().brightLow, record().brightMedium, record().brightHigh};
    EXPECT_LT(stored[0], stored[1]);
    page();
    sheet->setActivePage(0);
    EXPECT_EQ((std::array<int, 3>{record().brightLow, record().brightMedium, record().brightHigh}), stored);
}

namespace {

class Qrx20Unit : public DisplaysPage {
protected:
    Qrx20Unit() : DisplaysPage(model("QRX 20")) {}
};
class Qrx30Unit : public DisplaysPage {
protected:
    Qrx30Unit() : DisplaysPage(model("QRX 30")) {}
};

}  // namespace

TEST_F(Qrx20Unit, ADetectedQrx20ShowsTheBrightness)
{
    page();
    EXPECT_FALSE(brightnessShown());  // nothing detected yet
    sheet->setActivePage(0);
    click(kIdAutoDetect);
    ASSERT_EQ(general().status(), texts::kSettingsUploaded) << general().unitStatus();
    EXPECT_TRUE(brightnessShown());
}

TEST_F(Qrx30Unit, ADetectedQrx30HidesIt)
{
    click(kIdAutoDetect);
    ASSERT_EQ(general().status(), texts::kSettingsUploaded) << general().unitStatus();
    EXPECT_FALSE(brightnessShown());
}

TEST_F(DisplaysPage, AChoiceNotYetTakenForInstallerNeverReachesCurrentAfterACancelledSavePrompt)
{
    // Installer holds what Current holds, both changed since the start, so Cancel prompts.
    record().wakeUp = 1;
    click(kIdCopyToInstaller);
    click(kIdEditInstaller);
    chooseItem(page(), kIdMainOnScreen, 0);  // taken when the page is left
    ModalScript script;
    script.click(kSavePromptCancel);
    QTest::keyClick(page().control(kIdMainOnScreen), Qt::Key_Escape);
    ASSERT_TRUE(sheet->isVisible());
    ASSERT_EQ(general().editIndex(), kCurrentSet);
    const int current = set(kCurrentSet).displays.mainOnScreen;
    EXPECT_EQ(page().controlAs<QComboBox>(kIdMainOnScreen)->currentIndex(), current);
    sheet->setActivePage(0);
    EXPECT_EQ(record().mainOnScreen, current);
}
