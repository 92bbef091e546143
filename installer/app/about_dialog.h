#pragma once

#include <QDialog>

namespace velmar::installer {

// "About Installer": the program icon, the version title and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace velmar::installer
