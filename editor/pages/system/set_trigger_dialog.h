#pragma once

#include <QString>

#include "settings/records/triggers_record.h"
#include "ui/dialog.h"

namespace velmar::editor {

inline constexpr const char* kSetTriggerTemplateCaption = "Set Trigger 1";
inline constexpr const char* kTriggerColumnTitles[kTriggerColumnCount] = {"MAIN", "Z2", "Z3", "REC"};
inline constexpr const char* kTriggerRowLabels[kTriggerRowCount] = {
    "Power On:", "CD:", "2-CH:", "6-CH:", "TAPE:", "FM/AM:", "DVD:", "TV:", "SAT:", "VCR:", "AUX:"};
// The check box of each row and column; 0 where the grid has no box (that flag is kept).
inline constexpr int kTriggerBoxIds[kTriggerRowCount][kTriggerColumnCount] = {
    {1183, 1187, 1188, 0},    {1184, 1192, 1189, 1095}, {1185, 1193, 1190, 1191}, {1186, 0, 0, 0},
    {1067, 1195, 1087, 1096}, {1068, 1202, 1088, 1097}, {1069, 1196, 1089, 1098}, {1070, 1197, 1090, 1099},
    {1071, 1198, 1091, 1100}, {1072, 1199, 1092, 1101}, {1073, 1200, 1093, 1102}};

// "Set Trigger N": which zones and sources switch one 12-volt trigger. The check boxes are
// bound to the record given, which therefore changes only when the dialog ends with OK.
class CSetTriggerDlg : public ui::Dialog {
public:
    CSetTriggerDlg(QWidget* parent, QString title);
    void SetRecord(TriggerRecord* record) { record_ = record; }

protected:
    void onInitDialog() override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    QString title_;
    TriggerRecord* record_ = nullptr;
};

}  // namespace velmar::editor
