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
    ok_ = buttons->button(QDialogButtonBox::Ok);
    // A click leaves the focus where it is: pressOk moves it itself, so that it sees whether the
    // leave rule of the edit it comes from refused the value.
    ok_->setFocusPolicy(Qt::TabFocus);
    connect(ok_, &QPushButton::clicked, this, [this] { pressOk(); });
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

bool PropertySheet::leaveRuleRefuses(QWidget& to)
{
    PropertyPage* shown = activePage();
    if (!shown || !shown->isAncestorOf(QApplication::focusWidget()))
        return false;
    const unsigned before = shown->refusals();
    to.setFocus(Qt::OtherFocusReason);
    return shown->refusals() != before || shown->isAncestorOf(QApplication::focusWidget());
}

void PropertySheet::tabChosen(int index)
{
    // A click on a tab takes the focus, so that the leave rule of an edit on the shown page
    // runs first. When that rule refuses the value (its message said so), the page stays
    // without being asked again; otherwise it stays when its onKillActive refuses.
    if (leaveRuleRefuses(*tabs_)) {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(active_);
        return;
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
    // As a tab click: the edit's leave rule first, and a refused value keeps the page.
    if (leaveRuleRefuses(*ok_))
        return;
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
