#include "installer_thread.h"

#include <QApplication>
#include <QCoreApplication>

#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/native_serial_port.h"
#include "registered_messages.h"
#include "unitlink/progress_sink.h"
#include "unitlink/unit_link.h"

namespace velmar::installer {

// The procedure's host on the worker thread: every report waits until the dialog has taken it.
class CInstallerThread::Host final : public UpgradeHost {
public:
    explicit Host(CInstallerThread& worker) : worker_(worker) {}
    void notify(const std::string& status) override
    {
        worker_.status_ = QString::fromStdString(status);
        worker_.sendToDialog(UM_UPDATE_DATA_MSG, 0);
    }
    bool abortRequested() const override { return worker_.abortRequest_ != 0; }
    void setBusy(bool busy) override
    {
        QMetaObject::invokeMethod(
            qApp,
            [busy] {
                if (busy)
                    QApplication::setOverrideCursor(Qt::WaitCursor);
                else
                    QApplication::restoreOverrideCursor();
            },
            Qt::BlockingQueuedConnection);
    }

private:
    CInstallerThread& worker_;
};

// The dialog's progress bar, driven from the worker and updated on the dialog's thread.
class CInstallerThread::BarProgress final : public ProgressSink {
public:
    explicit BarProgress(QPointer<QProgressBar> bar) : bar_(std::move(bar)) {}
    void setRange(int maximum) override
    {
        apply([maximum](QProgressBar& b) { b.setRange(0, maximum); });
    }
    void setPosition(int position) override
    {
        apply([position](QProgressBar& b) { b.setValue(position); });
    }
    void setVisible(bool visible) override
    {
        apply([visible](QProgressBar& b) { b.setVisible(visible); });
    }

private:
    template <typename F>
    void apply(F change)
    {
        if (!bar_)
            return;
        QMetaObject::invokeMethod(
            bar_.data(),
            [bar = bar_, change] {
                if (bar)
                    change(*bar);
            },
            Qt::BlockingQueuedConnection);
    }
    QPointer<QProgressBar> bar_;
};

CInstallerThread::CInstallerThread(InstallerContext& context, QObject* dialog)
    : context_(context), dialog_(dialog), dialogThread_(QThread::currentThread())
{
    thread_.setObjectName("CInstallerThread");
}

CInstallerThread::~CInstallerThread()
{
    thread_.quit();
    thread_.wait();
}

bool CInstallerThread::CreateThread()
{
    moveToThread(&thread_);
    // Once the run has ended and the object is back on the dialog's thread, it goes.
    connect(&thread_, &QThread::finished, this, &QObject::deleteLater, Qt::QueuedConnection);
    thread_.start(QThread::NormalPriority);
    if (thread_.isRunning())
        return true;
    moveToThread(dialogThread_);
    return false;
}

bool CInstallerThread::event(QEvent* e)
{
    if (e->type() != RegisterWindowMessage(UM_START_PROCESSING))
        return QObject::event(e);
    runUpgrade();
    return true;
}

void CInstallerThread::sendToDialog(const char* message, qintptr wParam)
{
    QObject* dialog = dialog_;
    QMetaObject::invokeMethod(
        dialog,
        [dialog, message, wParam] {
            RegisteredMessage sent(message, wParam, 0);
            QCoreApplication::sendEvent(dialog, &sent);
        },
        Qt::BlockingQueuedConnection);
}

void CInstallerThread::runUpgrade()
{
    {
        platform::NativeSerialPort port(platform::PortNames::select(context_.ports));
        platform::RealClock clock;
        unitlink::UnitLink link(Variant::Installer, port, clock);
        BarProgress progress(progressBar_);
        Host host(*this);
        UpgradeProcedure procedure(link, context_.store, progress, host, context_.history, context_.firmware);
        const UpgradeOutcome outcome = procedure.run();
        status_ = QString::fromStdString(outcome.status);
        link.ClosePort();
    }
    sendToDialog(UM_THREAD_CLOSING_MSG, abortRequest_ != 0 ? 1 : 0);
    moveToThread(dialogThread_);
    thread_.quit();
}

}  // namespace velmar::installer
