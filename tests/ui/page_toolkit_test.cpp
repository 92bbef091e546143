// The pieces pages are built from: the declared layout, radio groups, drop lists, number
// edits, nested modal windows, the leave rule on a tab click and the modal-copy helper.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>
#include <array>
#include <gtest/gtest.h>

#include "modal_script.h"
#include "ui/modal_copy.h"
#include "ui/page_builder.h"
#include "ui/property_sheet.h"

using namespace velmar;
using namespace velmar::test;

namespace {

enum {
    kGroupBox = 100,
    kRadioA0 = 101,
    kRadioA1,
    kRadioA2,
    kRadioB0 = 111,
    kRadioB1,
    kList = 120,
    kNumber = 121,
    kToggle = 122,
    kCheck = 123,
    kSlider = 124,
    kValue = 125,
    kUnit = 126,
    kOpenSheet = 130,
};

// A dialog declared as data, exchanging one member per control.
class Declared : public ui::Dialog {
public:
    Declared()
    {
        const ui::PageSpec decl{{
            {kGroupBox,
             "Both groups",
             {
                 {ui::radio(kRadioA0, "A0", 1), ui::radio(kRadioA1, "A1", 1), ui::radio(kRadioA2, "A2", 1)},
                 {ui::radio(kRadioB0, "B0", 2), ui::radio(kRadioB1, "B1", 2)},
                 {ui::label("List:"), ui::dropList(kList, {"zero", "one", "two"})},
                 {ui::label("Number:"), ui::numberEdit(kNumber, 3)},
                 {ui::button(kToggle, "Off"), ui::check(kCheck, "Tick")},
                 ui::valueRow("Level:", {.slider = kSlider, .edit = kValue, .unit = kUnit}, "dB"),
             }},
            {ui::kNoId, {}, {{ui::button(kOpenSheet, "More...")}}, 1, 0},
        }};
        QVBoxLayout* layout = ui::buildPage(*this, *this, decl);
        ui::addDialogButtons(*this, *this, *layout, "OK", "Cancel");
    }
    void doDataExchange(ui::DataExchange& dx) override
    {
        ui::ddxRadio(dx, {kRadioA0, kRadioA1, kRadioA2}, a);
        ui::ddxRadio(dx, {kRadioB0, kRadioB1}, b);
        ui::ddxCBIndex(dx, kList, list);
        ui::ddxInt(dx, kNumber, number);
        ui::ddxCheck(dx, kCheck, ticked);
    }
    int a = -1;
    int b = 1;
    int list = 7;  // a code the list cannot show
    int number = 42;
    int ticked = 0;
};

}  // namespace

TEST(PageToolkit, TheBuilderRegistersEveryControlWithAnIdInItsKind)
{
    Declared d;
    EXPECT_NE(d.controlAs<QGroupBox>(kGroupBox), nullptr);
    EXPECT_NE(d.controlAs<QComboBox>(kList), nullptr);
    EXPECT_NE(d.controlAs<QSlider>(kSlider), nullptr);
    EXPECT_EQ(d.controlText(kUnit), "dB");
    EXPECT_EQ(d.controlAs<QComboBox>(kList)->count(), 3);
    EXPECT_NE(d.controlAs<QPushButton>(ui::kIdOk), nullptr);
    // Buttons and group boxes take their text by id like labels.
    d.setControlText(kToggle, "On");
    d.setControlText(kGroupBox, "Renamed");
    EXPECT_EQ(d.controlText(kToggle), "On");
    EXPECT_EQ(d.controlAs<QGroupBox>(kGroupBox)->title(), "Renamed");
}

TEST(PageToolkit, RadioGroupsInOneBoxStayIndependentAndShowNone)
{
    Declared d;
    d.updateData(false);
    EXPECT_FALSE(isChecked(d, kRadioA0) || isChecked(d, kRadioA1) || isChecked(d, kRadioA2));
    EXPECT_TRUE(isChecked(d, kRadioB1));
    setChecked(d, kRadioA2);
    EXPECT_TRUE(isChecked(d, kRadioB1));
    setChecked(d, kRadioB0);
    EXPECT_TRUE(isChecked(d, kRadioA2));
    d.updateData(true);
    EXPECT_EQ(d.a, 2);
    EXPECT_EQ(d.b, 0);
    // Back to none, although an exclusive group would keep its checked button; a value no
    // button stands for is kept while none is checked, as a list keeps one.
    d.a = 3;
    d.updateData(false);
    EXPECT_FALSE(isChecked(d, kRadioA2));
    d.updateData(true);
    EXPECT_EQ(d.a, 3);
    setChecked(d, kRadioA0);
    d.updateData(true);
    EXPECT_EQ(d.a, 0);
}

TEST(PageToolkit, AListKeepsAValueItCannotShowAndItsSelectionOnRefill)
{
    Declared d;
    auto* list = d.controlAs<QComboBox>(kList);
    d.updateData(false);
    EXPECT_EQ(list->currentIndex(), -1);
    d.updateData(true);
    EXPECT_EQ(d.list, 7);
    d.list = -1;
    d.updateData(false);
    d.updateData(true);
    EXPECT_EQ(d.list, -1);

    // Refilled from empty: no item 0 chosen behind the member's back.
    d.list = 7;
    d.updateData(false);
    d.setListItems(kList, {});
    d.setListItems(kList, {"a", "b", "c", "d"});
    EXPECT_EQ(list->currentIndex(), -1);
    d.updateData(true);
    EXPECT_EQ(d.list, 7);
    chooseItem(d, kList, 2);
    d.updateData(true);
    d.setListItems(kList, {"x", "y", "z"});
    EXPECT_EQ(list->currentIndex(), 2);
    d.setListItems(kList, {"x"});
    EXPECT_EQ(list->currentIndex(), -1);
    d.updateData(true);
    EXPECT_EQ(d.list, 2);
}

TEST(PageToolkit, NumberEditsTakeDigitsOnlyAndRefuseAnEmptyText)
{
    ModalScript script;
    Declared d;
    d.show();
    d.updateData(false);
    auto* edit = d.controlAs<QLineEdit>(kNumber);
    edit->clear();
    QTest::keyClicks(edit, "1a-2345");
    EXPECT_EQ(edit->text(), "123");
    EXPECT_TRUE(d.updateData(true));
    EXPECT_EQ(d.number, 123);

    script.click(ui::kIdOk);
    edit->clear();
    EXPECT_FALSE(d.updateData(true));
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].text, ui::kEnterIntegerText);
    EXPECT_EQ(d.number, 123);
}

namespace {

class InnerPage : public ui::PropertyPage {
public:
    explicit InnerPage(int& value) : ui::PropertyPage("Inner"), value_(value)
    {
        ui::buildPage(*this, *this, {{{ui::kNoId, {}, {{ui::check(kCheck, "Inner tick")}}}}});
    }
    void doDataExchange(ui::DataExchange& dx) override { ui::ddxCheck(dx, kCheck, value_); }

private:
    int& value_;
};

}  // namespace

TEST(PageToolkit, NestedSheetsAndDialogsAreAnsweredWithTheirControlsSet)
{
    ModalScript script;
    Declared d;
    int inner = 0;
    int sheetResult = -1;
    d.onCommand(kOpenSheet, ui::Notify::Clicked, [&] {
        ui::PropertySheet sheet("Nested");
        sheet.addPage(new InnerPage(inner));
        sheetResult = sheet.doModal();
    });
    // The dialog: tick, type, open the sheet (answered below), then OK.
    script.check(kCheck)
        .type(kNumber, "7")
        .step([](ui::ControlHost& h) { clickControl(h, kOpenSheet); })
        .click(ui::kIdOk);
    script.check(kCheck).click(ui::kIdOk);
    EXPECT_EQ(d.doModal(), ui::kIdOk);
    ASSERT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(script.shown[1].title, "Nested");
    EXPECT_EQ(sheetResult, QDialog::Accepted);
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(d.ticked, 1);
    EXPECT_EQ(d.number, 7);

    // A sheet left unanswered is cancelled.
    d.onCommand(kOpenSheet, ui::Notify::Clicked, [&] {
        ui::PropertySheet sheet("Nested");
        sheet.addPage(new InnerPage(inner));
        sheetResult = sheet.doModal();
    });
    script.step([](ui::ControlHost& h) { clickControl(h, kOpenSheet); }).click(ui::kIdCancel);
    EXPECT_EQ(d.doModal(), ui::kIdCancel);
    EXPECT_EQ(sheetResult, QDialog::Rejected);
}

TEST(PageToolkit, AModalEditorOnARecordKeepsItOnOkOnly)
{
    ModalScript script;
    Declared d;
    d.ticked = 0;
    script.check(kCheck).click(ui::kIdCancel);
    EXPECT_FALSE(ui::editModally(d.ticked, d));
    EXPECT_EQ(d.ticked, 0);
    script.check(kCheck).click(ui::kIdOk);
    EXPECT_TRUE(ui::editModally(d.ticked, d));
    EXPECT_EQ(d.ticked, 1);

    // The record is restored even when the editor changed it before being cancelled.
    std::array<int, 3> record{1, 2, 3};
    EXPECT_FALSE(ui::keepOnOk(record, [&] {
        record[1] = 9;
        return false;
    }));
    EXPECT_EQ(record, (std::array<int, 3>{1, 2, 3}));
}

namespace {

// A page whose edit has a leave rule: it refuses "bad" by taking the focus back.
class LeavePage : public ui::PropertyPage {
public:
    explicit LeavePage(std::vector<std::string>& log) : ui::PropertyPage("Leave"), log_(log)
    {
        ui::buildPage(*this, *this, {{{ui::kNoId, {}, {{ui::edit(kNumber)}}}}});
        onCommand(kNumber, ui::Notify::EditKillFocus, [this] {
            log_.push_back("left");
            if (controlText(kNumber) == "bad")
                control(kNumber)->setFocus();
        });
    }
    bool onKillActive() override
    {
        log_.push_back("kill");
        return true;
    }

private:
    std::vector<std::string>& log_;
};

void clickTab(ui::PropertySheet& sheet, int index)
{
    auto* tabs = sheet.findChild<QTabBar*>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

}  // namespace

TEST(PageToolkit, ATabClickRunsTheLeaveRuleFirstAndARefusalKeepsThePage)
{
    std::vector<std::string> log;
    ui::PropertySheet sheet("Leaving");
    auto* page = new LeavePage(log);
    sheet.addPage(page);
    sheet.addPage(new ui::PropertyPage("Other"));
    sheet.setActivePage(0);
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));

    page->control(kNumber)->setFocus();
    page->setControlText(kNumber, "bad");
    clickTab(sheet, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"left"}));
    EXPECT_EQ(sheet.activeIndex(), 0);
    EXPECT_EQ(sheet.findChild<QTabBar*>()->currentIndex(), 0);

    page->setControlText(kNumber, "good");
    clickTab(sheet, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"left", "left", "kill"}));
    EXPECT_EQ(sheet.activeIndex(), 1);
}
