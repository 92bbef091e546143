#include "installer_dialog.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "about_dialog.h"
#include "installer_context.h"
#include "installer_texts.h"
#include "installer_thread.h"
#include "registered_messages.h"

namespace velmar::installer {

CInstallerDlg::CInstallerDlg(InstallerContext& context, QWidget* parent) : QDialog(parent), context_(context)
{
    setWindowTitle(texts::versionTitle());
    setWindowIcon(QIcon(":/installer/installer.png"));

    procedure_ = new QLabel(texts::procedureText(), this);
    procedure_->setObjectName("1012");
    QFont bold = procedure_->font();
    bold.setWeight(QFont::Bold);
    procedure_->setFont(bold);
    procedure_->setWordWrap(true);
    procedure_->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    install_ = new QPushButton(texts::kInstallUpgradeNow, this);
    install_->setObjectName("1013");
    abort_ = new QPushButton(texts::kAbort, this);
    abort_->setObjectName("1014");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("1005");
    progress_->setTextVisible(false);
    // Transfers show the bar and hide it again; its room stays so the status line keeps still.
    QSizePolicy keepRoom = progress_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keepRoom);
    progress_->hide();
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName("1011");
    // The status line is empty until the first run: its line is kept from the start so the
    // window does not grow when the first text appears.
    statusLine_->setMinimumHeight(statusLine_->fontMetrics().height());

    connect(install_, &QPushButton::clicked, this, &CInstallerDlg::OnInstallUpgradeNow);
    connect(abort_, &QPushButton::clicked, this, &CInstallerDlg::OnAbort);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(install_);
    buttons->addSpacing(16);
    buttons->addWidget(abort_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(procedure_, 1);
    layout->addLayout(buttons);
    layout->addWidget(progress_);
    layout->addWidget(statusLine_);
    installAboutEntry();
    showStatus();
    showMessage_ = [this](const QString& text) { QMessageBox::information(this, windowTitle(), text); };
}

CInstallerDlg::~CInstallerDlg() = default;

bool CInstallerDlg::running() const { return !worker_.isNull(); }

void CInstallerDlg::installAboutEntry()
{
    // Desktops have no system menu to extend; a menu bar carries the About entry instead.
    auto* bar = new QMenuBar(this);
    auto* menu = bar->addMenu(texts::kHelpMenu);
    menu->addSeparator();
    menu->addAction(texts::kAboutMenuEntry, this, &CInstallerDlg::OnAbout);
    layout()->setMenuBar(bar);
}

void CInstallerDlg::OnAbout()
{
    CAboutDlg about(this);
    about.setWindowIcon(windowIcon());
    about.exec();
}

void CInstallerDlg::OnInstallUpgradeNow()
{
    if (worker_) {
        showMessage_(texts::kStillInProgress);
        return;
    }
    aborting_ = false;
    auto* worker = new CInstallerThread(context_, this);
    if (!worker->CreateThread()) {
        delete worker;
        showMessage_(texts::kThreadCreationFailed);
        return;
    }
    worker_ = worker;
    worker->setProgressBar(progress_);
    QCoreApplication::postEvent(worker, new RegisteredMessage(UM_START_PROCESSING, reinterpret_cast<qintptr>(this), 0));
}

void CInstallerDlg::OnAbort()
{
    if (!worker_)
        return;
    worker_->requestAbort();
    aborting_ = true;
    refreshStatus();
    showStatus();
}

void CInstallerDlg::refreshStatus()
{
    if (aborting_)
        status_ = texts::kAborting;
    else if (worker_)
        status_ = worker_->statusText();
}

void CInstallerDlg::showStatus()
{
    if (statusLine_->text() == status_)
        return;
    statusLine_->setText(status_);
    emit statusShown(status_);
}

bool CInstallerDlg::event(QEvent* e)
{
    if (e->type() == RegisterWindowMessage(UM_UPDATE_DATA_MSG)) {
        refreshStatus();
        showStatus();
        return true;
    }
    if (e->type() == RegisterWindowMessage(UM_THREAD_CLOSING_MSG)) {
        const bool aborted = static_cast<RegisteredMessage*>(e)->wParam != 0;
        refreshStatus();
        worker_ = nullptr;
        if (aborted)
            status_ = texts::qt(texts::kAbortedByUser);
        showStatus();
        emit runEnded(aborted);
        return true;
    }
    return QDialog::event(e);
}

void CInstallerDlg::reject()
{
    if (worker_) {
        // The worker's objects stay alive until its run has ended: ask it to stop between
        // steps and keep serving its messages until it says it is closing.
        QEventLoop wait;
        connect(this, &CInstallerDlg::runEnded, &wait, &QEventLoop::quit);
        OnAbort();
        if (worker_)
            wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    QDialog::reject();
}

}  // namespace velmar::installer
