#pragma once

#include <QDialog>
#include <vector>

#include "ui/property_page.h"

class QKeyEvent;
class QPushButton;
class QTabBar;
class QStackedWidget;
class QVBoxLayout;

namespace velmar::ui {

// A modal sheet of tabbed pages with OK and Cancel only. A tab switch runs the shown page's
// onKillActive (which may refuse) and then the new page's onSetActive; a tab click or OK first
// takes the focus from an edit of the shown page, and stays on that page when the edit's leave
// rule refuses its value. doModal hands the sheet to the modal hook (ui/modal_hook.h) as
// Dialog does.
class PropertySheet : public QDialog {
public:
    explicit PropertySheet(QString caption, QWidget* parent = nullptr, int startPage = 0);
    ~PropertySheet() override;

    // The sheet takes the page.
    void addPage(PropertyPage* page);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    PropertyPage* page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    int activeIndex() const { return active_; }
    PropertyPage* activePage() const { return active_ < 0 ? nullptr : page(active_); }
    // False when the shown page refused to be left.
    bool setActivePage(int index);

    int doModal();

    // What OK, Cancel and the close box do; public so that a page can end the sheet too.
    void pressOk();
    void pressCancel();

protected:
    // Every key press meant for the sheet or one of its controls passes here first;
    // true eats it.
    virtual bool preTranslateKey(QKeyEvent* event);
    // Where a window menu or tool bar can go, above the tabs.
    QVBoxLayout& topLayout() { return *layout_; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void tabChosen(int index);
    // Moves the focus from an edit of the shown page to one of the sheet's own controls, so
    // that the edit's leave rule runs; true when that rule refused the value: an exchange said
    // so, or the rule kept the focus.
    bool leaveRuleRefuses(QWidget& to);

    QVBoxLayout* layout_;
    QTabBar* tabs_;
    QStackedWidget* stack_;
    QPushButton* ok_ = nullptr;
    std::vector<PropertyPage*> pages_;
    int active_ = -1;
    int startPage_;
};

}  // namespace velmar::ui
