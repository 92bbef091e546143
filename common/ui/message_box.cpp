#include "ui/message_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialog.h"

namespace velmar::ui {

inline constexpr int kMessageTextId = 0xFFFF;

void messageBox(QWidget* parent, const QString& text)
{
    Dialog box(parent);
    box.setWindowTitle(QApplication::applicationDisplayName());
    auto* label = new QLabel(text, &box);
    label->setWordWrap(true);
    auto* ok = new QPushButton(QObject::tr("OK"), &box);
    ok->setDefault(true);
    auto* buttons = new QDialogButtonBox(&box);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(label);
    layout->addWidget(buttons);
    box.registerControl(kMessageTextId, label);
    box.registerControl(kIdOk, ok);
    box.doModal();
}

}  // namespace velmar::ui
