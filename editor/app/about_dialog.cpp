#include "app/about_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/app_icon.h"
#include "app/texts.h"

namespace velmar::editor {

CAboutDlg::CAboutDlg(QWidget* parent) : ui::Dialog(parent)
{
    setWindowTitle(texts::kAboutCaption);
    auto* icon = new QLabel(this);
    icon->setPixmap(appIcon().pixmap(32, 32));
    auto* ok = new QPushButton(texts::kOk, this);
    ok->setDefault(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(texts::kProgramTitle, this), 0, 1);
    layout->addWidget(new QLabel(texts::kVersion, this), 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    registerControl(ui::kIdOk, ok);
}

}  // namespace velmar::editor
