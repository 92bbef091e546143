#include "ui/message_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dialog.h"

namespace velmar::ui {

inline constexpr int kMessageTextId = 0xFFFF;

namespace {
QString& caption()
{
    static QString text;
    return text;
}
}  // namespace

void setMessageBoxCaption(const QString& text) { caption() = text; }

void messageBox(QWidget* parent, const QString& text)
{
    Dialog box(parent);
    box.setWindowTitle(caption().isEmpty() ? QApplication::applicationName() : caption());
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
