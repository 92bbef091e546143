#pragma once

#include <QString>

#include "ui/dialog.h"

namespace velmar::editor {

inline constexpr int kMessageTextId = 1009;

// The editor's small message box: one text and OK.
class CMessageDlg : public ui::Dialog {
public:
    explicit CMessageDlg(QString text, QWidget* parent = nullptr);
    const QString& text() const { return text_; }

protected:
    void doDataExchange(ui::DataExchange& dx) override;

private:
    QString text_;
};

}  // namespace velmar::editor
