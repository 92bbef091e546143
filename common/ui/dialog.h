#pragma once

#include <QDialog>
#include <functional>

#include "ui/control_host.h"
#include "ui/data_exchange.h"

namespace velmar::ui {

// A modal dialog with controls by id and data exchange. doModal() runs onInitDialog (which
// loads the controls) and then the dialog's own loop; a button with id kIdOk runs onOK, one
// with kIdCancel (or Escape, or the close box) runs onCancel.
class Dialog : public QDialog, public ControlHost {
public:
    explicit Dialog(QWidget* parent = nullptr);

    // kIdOk, kIdCancel or the id the dialog ended with.
    int doModal();
    void endDialog(int result) { done(result); }
    // What doModal does before the dialog runs: its controls then show what it would open
    // with. For reading them without showing the dialog.
    void loadControls() { onInitDialog(); }

    // Every modal Dialog is handed to this hook once its loop runs; tests answer dialogs
    // through it. A dialog the hook leaves open is cancelled. Property sheets are left to
    // cancel; setModalWindowHook (ui/modal_hook.h) sees both.
    using ModalHook = std::function<void(Dialog&)>;
    static void setModalHook(ModalHook hook);

protected:
    virtual void onInitDialog();
    virtual void onOK();
    virtual void onCancel();
    void reject() override;
};

}  // namespace velmar::ui
