#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressBar>
#include <QString>
#include <QThread>
#include <atomic>

#include "installer_context.h"

namespace velmar::installer {

// The worker: runs one upgrade on its own thread when it receives UM_START_PROCESSING, reports
// every status change to the dialog with a blocking UM_UPDATE_DATA_MSG and its end with a
// blocking UM_THREAD_CLOSING_MSG, then ends its thread and deletes itself.
class CInstallerThread : public QObject {
    Q_OBJECT
public:
    CInstallerThread(InstallerContext& context, QObject* dialog);
    ~CInstallerThread() override;

    // Starts the thread with its message queue; false when it could not be created.
    bool CreateThread();
    void setProgressBar(QProgressBar* bar) { progressBar_ = bar; }
    void requestAbort() { abortRequest_ = 1; }
    // Read by the dialog only while the worker waits in one of its blocking sends.
    QString statusText() const { return status_; }

protected:
    bool event(QEvent* e) override;

private:
    class Host;
    class BarProgress;

    void runUpgrade();
    void sendToDialog(const char* message, qintptr wParam);

    InstallerContext& context_;
    QObject* dialog_;
    QThread thread_;
    QThread* dialogThread_;
    QPointer<QProgressBar> progressBar_;
    std::atomic<int> abortRequest_{0};
    QString status_;
};

}  // namespace velmar::installer
