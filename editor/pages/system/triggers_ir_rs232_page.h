#pragma once

#include "settings/records/triggers_record.h"
#include "pages/settings_page.h"

namespace velmar::editor {

// Control ids of page "9. Triggers/IR/RS-232"; the labels are the page's own.
enum TriggersControl : int {
    kIdIrInputs = 1051,
    kIdSetTrigger3 = 1052,
    kIdTxStatus = 1058,
    kIdFlowControl = 1060,
    kIdSetTrigger1 = 1079,
    kIdSetTrigger2 = 1080,
    kIdBaudRate = 1195,
    kIdAllTriggers = 1196,
};

namespace triggers_texts {
inline constexpr const char* kCaption = "9. Triggers/IR/RS-232";
inline constexpr const char* kAllTriggers = "All Triggers:";
inline constexpr const char* kAllTriggersItems[] = {"Disabled", "Enabled", "RS-232 Ctrl"};
inline constexpr const char* kBaudRate = "Baud Rate:";
inline constexpr const char* kBaudRateItems[] = {"2400", "4800", "9600", "19200", "38400", "57600", "115200"};
inline constexpr const char* kFlowControl = "Flow Control:";
inline constexpr const char* kFlowControlStates[] = {"None", "RTS/CTS"};
inline constexpr const char* kTxStatus = "RS-232 TX Status:";
inline constexpr const char* kTxStatusStates[] = {"Disabled", "Enabled"};
inline constexpr const char* kSetTrigger[] = {"Set Trigger 1", "Set Trigger 2", "Set Trigger 3"};
inline constexpr const char* kSetIrInputs = "Set IR-Inputs";
inline constexpr const char* kSetTriggerTitle[] = {"9. Set Trigger 1", "9. Set Trigger 2", "9. Set Trigger 3"};
inline constexpr const char* kSetIrInputsTitle = "9. Set IR Inputs";
// Group captions of this layout
inline constexpr const char* kTriggersGroup = "Triggers";
inline constexpr const char* kIrGroup = "IR";
inline constexpr const char* kRs232Group = "RS-232";
}  // namespace triggers_texts

// "9. Triggers/IR/RS-232": the triggers' master mode and the unit's serial port; the trigger
// tables and IR inputs through their dialogs, which write the store as soon as they end OK.
class CTriggersIRRS232 : public CSettingsPage {
public:
    explicit CTriggersIRRS232(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override { record_ = &working.triggers; }
    bool onSetActive() override;
    void WalkControls(PageWalk& walk) override;

protected:
    void onCreateControls() override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    void showToggles();
    void OnFlowControl();
    void OnTxStatus();
    void OnSetTrigger(int index);
    void OnSetIrInputs();

    TriggersRecord* record_ = nullptr;
};

}  // namespace velmar::editor
