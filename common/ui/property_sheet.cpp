#include "ui/property_sheet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "ui/modal_hook.h"

namespace velmar::ui {

PropertySheet::PropertySheet(QString caption, QWidget* parent, int startPage)
    : QDialog(parent), layout_(new QVBoxLayout(this)), tabs_(new QTabBar(this)), stack_(new QStackedWidget(this)),
      startPage_(startPage)
{
    setWindowTitle(caption);
    setSizeGripEnabled(true);
    tabs_->setExpanding(false);
    stack_->setFrameShape(QFrame::StyledPanel);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, [this] { pressOk(); });
    connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this, [this] { pressCancel(); });
    layout_->addWidget(tabs_);
    layout_->addWidget(stack_, 1);
    layout_->addWidget(buttons);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { tabChosen(index); });
    qApp->installEventFilter(this);
}

PropertySheet::~PropertySheet() { qApp->removeEventFilter(this); }

void PropertySheet::addPage(PropertyPage* page)
{
    page->sheet_ = this;
    pages_.push_back(page);
    stack_->addWidget(page);
    const QSignalBlocker block(tabs_);
    tabs_->addTab(page->caption());
}

bool PropertySheet::setActivePage(int index)
{
    if (index < 0 || index >= pageCount())
        return false;
    if (index == active_)
        return true;
    if (PropertyPage* shown = activePage(); shown && !shown->onKillActive()) {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(active_);
        return false;
    }
    active_ = index;
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(index);
    }
    PropertyPage* next = page(index);
    if (!next->initialized_) {
        next->initialized_ = true;
        next->onCreateControls();
        stack_->setCurrentWidget(next);
        next->onInitDialog();
    } else {
        stack_->setCurrentWidget(next);
    }
    next->onSetActive();
    return true;
}

void PropertySheet::tabChosen(int index)
{
    // A click on a tab takes the focus, so that the leave rule of an edit on the shown page
    // runs first. A rule that refused the value puts the focus back into its edit: the page
    // then stays, as it does when its onKillActive refuses.
    PropertyPage* shown = activePage();
    if (shown && shown->isAncestorOf(QApplication::focusWidget())) {
        tabs_->setFocus(Qt::MouseFocusReason);
        if (shown->isAncestorOf(QApplication::focusWidget())) {
            const QSignalBlocker block(tabs_);
            tabs_->setCurrentIndex(active_);
            return;
        }
    }
    setActivePage(index);
}

int PropertySheet::doModal()
{
    setActivePage(startPage_);
    return execModal(*this, Rejected);
}

void PropertySheet::pressOk()
{
    if (PropertyPage* shown = activePage(); shown && !shown->onKillActive())
        return;
    for (PropertyPage* p : pages_)
        if (p->initialized_ && p->modified_ && !p->onApply())
            return;
    done(Accepted);
}

void PropertySheet::pressCancel()
{
    if (PropertyPage* shown = activePage(); shown && !shown->onQueryCancel())
        return;
    done(Rejected);
}

void PropertySheet::reject() { pressCancel(); }

void PropertySheet::closeEvent(QCloseEvent* event)
{
    event->ignore();
    pressCancel();
}

bool PropertySheet::preTranslateKey(QKeyEvent*) { return false; }

bool PropertySheet::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this)
        return preTranslateKey(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

}  // namespace velmar::ui
