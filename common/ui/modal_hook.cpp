#include "ui/modal_hook.h"

#include <QPointer>
#include <QTimer>

namespace velmar::ui {

namespace {
ModalWindowHook& hook()
{
    static ModalWindowHook h;
    return h;
}
}  // namespace

void setModalWindowHook(ModalWindowHook h) { hook() = std::move(h); }

int execModal(QDialog& window, int cancelResult)
{
    if (hook()) {
        QPointer<QDialog> guarded(&window);
        QTimer::singleShot(0, &window, [guarded, cancelResult] {
            // The hook may be replaced while it runs (a test ending); keep this one alive.
            const ModalWindowHook current = hook();
            if (current)
                current(*guarded);
            if (guarded && guarded->isVisible())
                guarded->done(cancelResult);
        });
    }
    return window.exec();
}

}  // namespace velmar::ui
