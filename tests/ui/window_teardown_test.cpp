// Windows destroyed while one of their controls has the focus: the control reports its lost
// focus as it is deleted, after its owner's destructor ran, and nothing of that may reach the
// owner.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "modal_script.h"
#include "ui/dialog.h"
#include "ui/modal_hook.h"
#include "ui/property_sheet.h"

using namespace velmar;
using namespace velmar::test;

namespace {

constexpr int kIdEdit = 10;

// What reached an owner after its destructor ran, kept outside it so that it outlives it.
struct Heard {
    std::vector<std::string> late;
    bool ownerGone = false;
};

// A dialog or page whose edit's lost focus reaches the owner, as the pages' pairs do.
template <class Base>
class Owner : public Base {
public:
    template <class... Args>
    explicit Owner(Heard& heard, Args&&... args) : Base(std::forward<Args>(args)...), heard_(heard)
    {
        this->registerControl(kIdEdit, new QLineEdit(this));
        this->onCommand(kIdEdit, ui::Notify::EditKillFocus, [this] {
            if (heard_.ownerGone)
                heard_.late.emplace_back("edit left");
        });
    }
    ~Owner() override { heard_.ownerGone = true; }

private:
    Heard& heard_;
};

// The user types into the edit of a modal window and presses Escape. On a desktop the window
// system may take the focus from the hidden window only after the window is destroyed; the
// edit then still has the focus when it is deleted.
void escapeWithFocusInEdit(QDialog& window, ui::ControlHost& host)
{
    QWidget* edit = host.control(kIdEdit);
    ModalScript script;
    script.answer([edit](QDialog& d) {
        d.activateWindow();
        edit->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit, Qt::Key_5);
        QTest::keyClick(edit, Qt::Key_Escape);
    });
    ui::execModal(window, QDialog::Rejected);
    ASSERT_FALSE(window.isVisible());
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(&window);
    QT_WARNING_POP
    edit->setFocus(Qt::ActiveWindowFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), edit);
}

}  // namespace

TEST(WindowTeardown, ADialogEndedByEscapeWithTheFocusInAnEditReportsNothingToItsDestroyedOwner)
{
    Heard heard;
    {
        Owner<ui::Dialog> dialog(heard);
        escapeWithFocusInEdit(dialog, dialog);
    }
    EXPECT_TRUE(heard.ownerGone);
    EXPECT_EQ(heard.late, std::vector<std::string>{});
}

TEST(WindowTeardown, ASheetEndedByEscapeWithTheFocusInAPagesEditReportsNothingToTheDestroyedPage)
{
    Heard heard;
    {
        ui::PropertySheet sheet("sub-sheet");
        auto* page = new Owner<ui::PropertyPage>(heard, "page");
        sheet.addPage(page);
        sheet.setActivePage(0);
        escapeWithFocusInEdit(sheet, *page);
    }
    EXPECT_TRUE(heard.ownerGone);
    EXPECT_EQ(heard.late, std::vector<std::string>{});
}
