#include "ui/dialog.h"

#include "ui/modal_hook.h"

namespace velmar::ui {

Dialog::Dialog(QWidget* parent) : QDialog(parent), ControlHost(static_cast<QWidget&>(*this))
{
    onCommand(kIdOk, Notify::Clicked, [this] { onOK(); });
    onCommand(kIdCancel, Notify::Clicked, [this] { onCancel(); });
}

void Dialog::setModalHook(ModalHook hook)
{
    if (!hook) {
        setModalWindowHook({});
        return;
    }
    setModalWindowHook([hook = std::move(hook)](QDialog& window) {
        if (auto* dialog = dynamic_cast<Dialog*>(&window))
            hook(*dialog);
    });
}

int Dialog::doModal()
{
    onInitDialog();
    return execModal(*this, kIdCancel);
}

void Dialog::onInitDialog() { updateData(false); }

void Dialog::onOK()
{
    if (updateData(true))
        endDialog(kIdOk);
}

void Dialog::onCancel() { endDialog(kIdCancel); }

void Dialog::reject() { onCancel(); }

}  // namespace velmar::ui
