#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace velmar::installer {

class CInstallerThread;
struct InstallerContext;

// The installer's one window: the procedure, "Install Upgrade Now", "Abort", the progress bar
// and the status line. Idle, running, aborting; a new run starts only when idle.
class CInstallerDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInstallerDlg(InstallerContext& context, QWidget* parent = nullptr);
    ~CInstallerDlg() override;

    QString statusText() const { return status_; }
    bool running() const;

    // Where the dialog's message boxes go; tests catch them here.
    void setMessageBox(std::function<void(const QString&)> show) { showMessage_ = std::move(show); }

    void OnInstallUpgradeNow();
    void OnAbort();
    void OnAbout();

signals:
    // Emitted after a run's closing message was handled.
    void runEnded(bool aborted);
    // The status line shows a new text.
    void statusShown(const QString& text);

protected:
    bool event(QEvent* e) override;
    // Closing (the close box, Escape) waits for a running upgrade to stop first.
    void reject() override;

private:
    void refreshStatus();
    void showStatus();
    void installAboutEntry();

    InstallerContext& context_;
    QLabel* procedure_;
    QPushButton* install_;
    QPushButton* abort_;
    QProgressBar* progress_;
    QLabel* statusLine_;
    QString status_;
    QPointer<CInstallerThread> worker_;
    bool aborting_ = false;
    std::function<void(const QString&)> showMessage_;
};

}  // namespace velmar::installer
