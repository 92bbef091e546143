#include "ui/dialog.h"

#include <QTimer>

namespace velmar::ui {

namespace {
Dialog::ModalHook& modalHook()
{
    static Dialog::ModalHook hook;
    return hook;
}
}  // namespace

Dialog::Dialog(QWidget* parent) : QDialog(parent), ControlHost(static_cast<QWidget&>(*this))
{
    onCommand(kIdOk, Notify::Clicked, [this] { onOK(); });
    onCommand(kIdCancel, Notify::Clicked, [this] { onCancel(); });
}

void Dialog::setModalHook(ModalHook hook)
{
    modalHook() = std::move(hook);
}

int Dialog::doModal()
{
    onInitDialog();
    if (modalHook()) {
        QTimer::singleShot(0, this, [this] {
            modalHook()(*this);
            if (isVisible())
                done(kIdCancel);
        });
    }
    return exec();
}

void Dialog::onInitDialog()
{
    updateData(false);
}

void Dialog::onOK()
{
    if (updateData(true))
        endDialog(kIdOk);
}

void Dialog::onCancel()
{
    endDialog(kIdCancel);
}

void Dialog::reject()
{
    onCancel();
}

}  // namespace velmar::ui
