#include <QKeyEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include "ui/property_sheet.h"

using namespace velmar;

namespace {

// Records the hooks the sheet runs, in order, across all pages.
struct Log {
    std::vector<std::string> calls;
};

class Page : public ui::PropertyPage {
public:
    Page(const char* name, Log& log) : ui::PropertyPage(name), name_(name), log_(log)
    {
        registerControl(1, new QLineEdit(this));
    }
    void onInitDialog() override { record("init"); }
    bool onSetActive() override
    {
        record("set");
        return ui::PropertyPage::onSetActive();
    }
    bool onKillActive() override
    {
        record("kill");
        return allowLeave;
    }
    bool onApply() override
    {
        record("apply");
        return allowApply;
    }
    bool onQueryCancel() override
    {
        record("cancel");
        return allowCancel;
    }

    bool allowLeave = true;
    bool allowApply = true;
    bool allowCancel = true;

private:
    void record(const char* what) { log_.calls.push_back(name_ + ":" + what); }
    std::string name_;
    Log& log_;
};

class Sheet : public ui::PropertySheet {
public:
    using ui::PropertySheet::PropertySheet;
    std::vector<int> keys;

protected:
    bool preTranslateKey(QKeyEvent* event) override
    {
        if (!(event->modifiers() & Qt::ControlModifier) || event->key() == Qt::Key_Control)
            return false;
        keys.push_back(event->key());
        return true;
    }
};

struct Fixture : ::testing::Test {
    Fixture()
    {
        a = new Page("A", log);
        b = new Page("B", log);
        sheet.addPage(a);
        sheet.addPage(b);
        sheet.setActivePage(0);
        sheet.show();
    }
    Log log;
    Sheet sheet{"caption"};
    Page* a;
    Page* b;
};

}  // namespace

TEST_F(Fixture, SwitchingTabsLeavesThePageFirstAndInitialisesOnce)
{
    log.calls.clear();
    sheet.findChild<QTabBar*>()->setCurrentIndex(1);
    sheet.setActivePage(0);
    sheet.setActivePage(1);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"A:kill", "B:init", "B:set", "B:kill", "A:set", "A:kill", "B:set"}));
}

TEST_F(Fixture, APageThatRefusesToBeLeftStaysShown)
{
    a->allowLeave = false;
    auto* tabs = sheet.findChild<QTabBar*>();
    tabs->setCurrentIndex(1);
    EXPECT_EQ(sheet.activeIndex(), 0);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_FALSE(b->initialized());
}

TEST_F(Fixture, OkAppliesModifiedPagesAndAnyRefusalKeepsTheSheetOpen)
{
    sheet.setActivePage(1);
    sheet.setActivePage(0);
    b->setModified(true);
    b->allowApply = false;
    log.calls.clear();
    sheet.pressOk();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(log.calls, (std::vector<std::string>{"A:kill", "B:apply"}));
    b->allowApply = true;
    sheet.pressOk();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
}

TEST_F(Fixture, CancelEscapeAndTheCloseBoxAskTheShownPage)
{
    a->allowCancel = false;
    log.calls.clear();
    sheet.pressCancel();
    QTest::keyClick(&sheet, Qt::Key_Escape);
    sheet.close();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(log.calls, (std::vector<std::string>{"A:cancel", "A:cancel", "A:cancel"}));
    a->allowCancel = true;
    sheet.close();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
}

TEST_F(Fixture, KeysForAnyControlOfTheSheetPassThroughItFirst)
{
    QLineEdit* edit = a->controlAs<QLineEdit>(1);
    QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_X);
    EXPECT_EQ(sheet.keys, std::vector<int>{Qt::Key_S});
    EXPECT_EQ(edit->text(), "x");
}
