#include "ui/busy.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <thread>

namespace velmar::ui {

namespace {

// Drops what the user does while the window only shows progress.
class InputBlocker final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Close: return true;
        default: return false;
        }
    }
};

}  // namespace

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

void runKeepingWindowAlive(const std::function<void()>& job)
{
    const WaitCursor wait;
    InputBlocker blocker;
    qApp->installEventFilter(&blocker);
    QEventLoop loop;
    // The quit is queued behind everything the job posted (progress), so all of it is shown.
    std::thread worker([&] {
        job();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    qApp->removeEventFilter(&blocker);
}

}  // namespace velmar::ui
