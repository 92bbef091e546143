// "9. Triggers/IR/RS-232" and its two dialogs, driven through their controls.
#include <QComboBox>

#include "bits.h"
#include "editor_fixture.h"
#include "pages/system/set_ir_inputs_dialog.h"
#include "pages/system/set_trigger_dialog.h"
#include "pages/system/triggers_ir_rs232_page.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

class TriggersPage : public EditorFixture {
protected:
    CTriggersIRRS232& page()
    {
        sheet->setActivePage(sheet->indexOfPlace(9));
        return dynamic_cast<CTriggersIRRS232&>(*sheet->activePage());
    }
    TriggersRecord& record() { return set(kWorkingSet).triggers; }
    // A picture of a dialog as it is answered, into the build tree.
    static ModalScript::Answer grabThen(const char* name, int button)
    {
        return [name, button](QDialog& d) {
            QDir().mkpath(SCREENSHOT_DIR);
            d.grab().save(QString(SCREENSHOT_DIR) + "/" + name);
            clickControl(*ModalScript::hostOf(d), button);
        };
    }
};

int storedBaudCode(const SettingsStore& s) { return bits::get(s.set().rs232Options, 4, 3); }

}  // namespace

TEST_F(TriggersPage, BaudRateShowsTheStoredCodeAndStoresTheChoicePlusOne)
{
    SettingsStore unit;
    bits::put(unit.set().rs232Options, 4, 3, 3);
    record().loadFromStore(unit);
    EXPECT_EQ(itemText(page(), kIdBaudRate), "9600");
    saveScreenshot("09-triggers-ir-rs232.png");

    chooseItem(page(), kIdBaudRate, 6);
    chooseItem(page(), kIdAllTriggers, 2);
    ASSERT_TRUE(sheet->setActivePage(0));
    record().saveToStore(unit);
    EXPECT_EQ(storedBaudCode(unit), 7);
    EXPECT_EQ(unit.allTriggers(), 2);
}

TEST_F(TriggersPage, TheTogglesFlipTheirValueAndCaption)
{
    CTriggersIRRS232& p = page();
    EXPECT_EQ(textOf(p, kIdFlowControl), "None");
    clickControl(p, kIdFlowControl);
    EXPECT_EQ(textOf(p, kIdFlowControl), "RTS/CTS");
    EXPECT_EQ(record().flowControl, 1);
    clickControl(p, kIdFlowControl);
    EXPECT_EQ(textOf(p, kIdFlowControl), "None");
    EXPECT_EQ(record().flowControl, 0);

    record().txStatus = 1;  // as another set would bring it
    sheet->setActivePage(0);
    EXPECT_EQ(textOf(page(), kIdTxStatus), "Enabled");
    clickControl(page(), kIdTxStatus);
    EXPECT_EQ(textOf(page(), kIdTxStatus), "Disabled");
    EXPECT_EQ(record().txStatus, 0);
}

TEST_F(TriggersPage, SetTriggerOkReachesTheStoreAtOnceAndKeepsFlagsWithoutABox)
{
    ModalScript script;
    record().trigger[2].flag[14] = 1;  // column "Z2", row "6-CH:": no box
    script.check(1183).check(1202).answer(grabThen("09-set-trigger.png", ui::kIdOk));
    clickControl(page(), kIdSetTrigger3);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].title, "9. Set Trigger 3");
    const auto& flags = record().trigger[2].flag;
    EXPECT_EQ(flags[0], 1);       // "MAIN" "Power On:"
    EXPECT_EQ(flags[11 + 5], 1);  // "Z2" "FM/AM:"
    EXPECT_EQ(flags[14], 1);
    // Before the page is left: the store has the table.
    EXPECT_EQ(store.triggerMask(2, 0), 0x001);
    EXPECT_EQ(store.triggerMask(2, 1), (1 << 5) | (1 << 3));
    EXPECT_EQ(sheet->activeIndex(), sheet->indexOfPlace(9));
}

TEST_F(TriggersPage, CancelledDialogsLeaveTheirRecordsAsTheyWere)
{
    ModalScript script;
    record().trigger[1].flag[3] = 1;
    const TriggersRecord before = record();
    script.check(1184).check(1186, false).click(ui::kIdCancel);
    clickControl(page(), kIdSetTrigger2);
    script.check(1062, false).check(1194, false).click(ui::kIdCancel);
    clickControl(page(), kIdIrInputs);
    EXPECT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(record(), before);
}

TEST_F(TriggersPage, RearIr2InZone3SetsItsOneFlag)
{
    ModalScript script;
    record().irInputs.flag.fill(0);
    script.check(1085).answer(grabThen("09-set-ir-inputs.png", ui::kIdOk));
    clickControl(page(), kIdIrInputs);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].title, "9. Set IR Inputs");
    std::array<int, 12> expected{};
    expected[10] = 1;
    EXPECT_EQ(record().irInputs.flag, expected);
    EXPECT_EQ(store.irInputs(2), 0b100);  // receiver "Rear IR 2:", zone "Z3"
}

TEST(TriggerDialogs, EveryBoxIsBoundToItsOwnFlag)
{
    // Ticking one box at a time sets exactly its flag, so no two boxes share a flag.
    for (int row = 0; row < kTriggerRowCount; ++row) {
        for (int column = 0; column < kTriggerColumnCount; ++column) {
            const int id = kTriggerBoxIds[row][column];
            if (!id)
                continue;
            TriggerRecord trigger;
            CSetTriggerDlg dialog(nullptr, "t");
            dialog.SetRecord(&trigger);
            dialog.updateData(false);
            setChecked(dialog, id);
            dialog.updateData(true);
            const auto set = std::count(trigger.flag.begin(), trigger.flag.end(), 1);
            EXPECT_EQ(set, 1);
            EXPECT_EQ(trigger.flag[static_cast<size_t>(column * kTriggerRowCount + row)], 1) << id;
        }
    }
    for (int receiver = 0; receiver < kIrInputCount; ++receiver) {
        for (int zone = 0; zone < kIrZoneCount; ++zone) {
            IrInputsRecord ir;
            CSetIrInputsDlg dialog(nullptr, "i");
            dialog.SetRecord(&ir);
            dialog.updateData(false);
            setChecked(dialog, kIrBoxIds[receiver][zone]);
            dialog.updateData(true);
            EXPECT_EQ(std::count(ir.flag.begin(), ir.flag.end(), 1), 1);
            EXPECT_EQ(ir.flag[static_cast<size_t>(zone * kIrInputCount + receiver)], 1);
        }
    }
}
