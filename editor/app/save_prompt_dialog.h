#pragma once

#include <QString>

#include "ui/dialog.h"

namespace velmar::editor {

inline constexpr int kSavePromptTextId = 1156;
inline constexpr int kSavePromptYes = 1023;
inline constexpr int kSavePromptSaveAs = 3;
inline constexpr int kSavePromptNo = ui::kIdOk;
inline constexpr int kSavePromptCancel = ui::kIdCancel;

// "Save changes to <file>?" with Yes, Save As.., No and Cancel.
class CSavePromptDlg : public ui::Dialog {
public:
    explicit CSavePromptDlg(QString text, QWidget* parent = nullptr);
    // kSavePromptYes, kSavePromptSaveAs, kSavePromptNo or kSavePromptCancel.
    int Ask();
    const QString& text() const { return text_; }

protected:
    void doDataExchange(ui::DataExchange& dx) override;

private:
    QString text_;
    int result_ = 1;
};

}  // namespace velmar::editor
