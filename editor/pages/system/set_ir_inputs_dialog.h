#pragma once

#include <QString>

#include "settings/records/triggers_record.h"
#include "ui/dialog.h"

namespace velmar::editor {

inline constexpr const char* kSetIrInputsTemplateCaption = "Set IR Inputs";
inline constexpr const char* kIrZoneTitles[kIrZoneCount] = {"MAIN", "Z2", "Z3"};
inline constexpr const char* kIrReceiverLabels[kIrInputCount] = {"Front IR:", "Rear IR 1:", "Rear IR 2:", "Rear IR 3:"};
// The check box of each receiver (row) and zone (column).
inline constexpr int kIrBoxIds[kIrInputCount][kIrZoneCount] = {
    {1192, 1061, 1062}, {1064, 1074, 1084}, {1193, 1075, 1085}, {1194, 1086, 1094}};

// "Set IR Inputs": which IR receivers each zone listens to. The check boxes are bound to the
// record given, which changes only when the dialog ends with OK.
class CSetIrInputsDlg : public ui::Dialog {
public:
    CSetIrInputsDlg(QWidget* parent, QString title);
    void SetRecord(IrInputsRecord* record) { record_ = record; }

protected:
    void onInitDialog() override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    QString title_;
    IrInputsRecord* record_ = nullptr;
};

}  // namespace velmar::editor
