#pragma once

#include "ui/dialog.h"

namespace velmar::editor {

// The About box: icon, program title, version and OK.
class CAboutDlg : public ui::Dialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace velmar::editor
