#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "pages/bound_value_group.h"
#include "modal_script.h"
#include "app/texts.h"

using namespace velmar;
using namespace velmar::editor;
using velmar::test::ModalScript;

namespace {

enum { kSliderA = 100, kEditA = 101, kSliderB = 102, kEditB = 103 };

// An owner with two pairs, set up and exchanged as every page does: A is in half steps
// from -12 to 12, B in whole steps from 0 to 10.
class Owner : public ui::Dialog {
public:
    Owner() : group_(*this)
    {
        for (const auto& [slider, edit, pair] : {std::tuple{kSliderA, kEditA, &a}, {kSliderB, kEditB, &b}}) {
            auto* s = new QSlider(Qt::Horizontal, this);
            s->setPageStep(4);
            s->setMinimumWidth(200);
            registerControl(slider, s);
            registerControl(edit, new QLineEdit(this));
            pair->Attach(slider, edit, s);
            group_.add(*pair);
        }
        a.SetScale(2.0, 0.0);
        a.SetLimits(-12, 12);
        b.SetScale(1.0, 0.0);
        b.SetLimits(0, 10);
        a.SetPosition(recordA);
        b.SetPosition(recordB);
        updateData(false);
        show();
    }
    void doDataExchange(ui::DataExchange& dx) override
    {
        group_.exchange(dx);
        if (dx.saving()) {
            recordA = a.GetPosition();
            recordB = b.GetPosition();
        }
    }
    void onHScroll(int code, int, QSlider* bar) override { group_.onHScroll(code, bar); }

    QLineEdit* edit(int id) { return controlAs<QLineEdit>(id); }
    QSlider* slider(int id) { return controlAs<QSlider>(id); }
    // The user replaces the edit's text, one character at a time.
    void type(int id, const QString& text)
    {
        edit(id)->setFocus();
        edit(id)->clear();
        for (const QChar c : text)
            QTest::keyClick(edit(id), c.toLatin1());
    }
    void leave(int id)
    {
        edit(id)->setFocus();
        QFocusEvent lost(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit(id), &lost);
    }

    CBoundValueDlg a;
    CBoundValueDlg b;
    int recordA = 4;
    int recordB = 5;

private:
    BoundValueGroup group_;
};

}  // namespace

TEST(BoundValue, LimitsPositionsAndValues)
{
    CBoundValueDlg p;
    p.SetScale(0.2, 25);
    p.SetLimits(20, 45);
    EXPECT_EQ(p.MinPosition(), -1);  // (20 - 25) x 0.2 is exactly -1
    EXPECT_EQ(p.MaxPosition(), 4);
    p.SetValue(30);
    EXPECT_EQ(p.GetPosition(), 1);
    EXPECT_TRUE(p.IsInRange());
    p.SetValue(60);  // not clamped
    EXPECT_EQ(p.GetPosition(), 7);
    EXPECT_FALSE(p.IsInRange());
    p.SetPosition(7);  // clamped
    EXPECT_EQ(p.GetPosition(), 4);
    EXPECT_DOUBLE_EQ(p.GetValue(), 45);

    CBoundValueDlg reversed;
    reversed.SetLimits(5, 3);
    EXPECT_DOUBLE_EQ(reversed.LowestValue(), 2);
    EXPECT_DOUBLE_EQ(reversed.HighestValue(), 3);
}

TEST(BoundValue, MessageNamesTheRangeAndStep)
{
    Owner o;
    EXPECT_EQ(outOfRangeText(o.a), "Invalid Input, Range out of bounds: -12.0 To 12.0 with step 0.5");
    ModalScript script;
    script.click(ui::kIdOk);
    o.a.doModal();
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].title, texts::kOutOfRangeCaption);
    EXPECT_EQ(script.shown[0].text, outOfRangeText(o.a));
}

TEST(BoundValue, StartingToTypeChangesNothing)
{
    ModalScript script;
    Owner o;
    o.type(kEditA, "-");
    o.edit(kEditA)->clear();
    QTest::keyClick(o.edit(kEditA), Qt::Key_Backspace);
    EXPECT_TRUE(script.shown.empty());
    EXPECT_EQ(o.recordA, 4);
    EXPECT_EQ(o.slider(kSliderA)->value(), 4);
}

TEST(BoundValue, OffStepValueFollowsWhileTypingAndIsRefusedOnLeaving)
{
    ModalScript script;
    script.click(ui::kIdOk);
    Owner o;
    o.type(kEditA, "3.3");
    EXPECT_EQ(o.slider(kSliderA)->value(), 6);
    EXPECT_EQ(o.recordA, 6);
    EXPECT_EQ(o.edit(kEditA)->text(), "3.3");
    EXPECT_TRUE(script.shown.empty());

    o.leave(kEditA);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].text, "Invalid Input, Range out of bounds: -12.0 To 12.0 with step 0.5");
    EXPECT_EQ(o.recordA, 6);
    EXPECT_EQ(o.edit(kEditA)->selectedText(), "3.3");
    EXPECT_EQ(o.focusWidget(), o.edit(kEditA));
}

TEST(BoundValue, OutOfRangeIsRefusedWhileTypingWithOneMessageEach)
{
    ModalScript script;
    script.click(ui::kIdOk).click(ui::kIdOk).click(ui::kIdOk);
    Owner o;
    o.type(kEditA, "-13");  // "-", "-1" are fine; "-13" is not
    EXPECT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(o.recordA, -2);  // from "-1"
    o.type(kEditA, "13");
    EXPECT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(o.recordA, 2);  // from "1"
    EXPECT_EQ(o.b.GetPosition(), 5);
}

TEST(BoundValue, ZeroAtTheLowestValueGivesTheNextPositionUntilTheEditIsLeft)
{
    ModalScript script;
    Owner o;
    o.type(kEditB, "0");
    EXPECT_EQ(o.slider(kSliderB)->value(), 1);
    EXPECT_EQ(o.edit(kEditB)->text(), "0");
    o.leave(kEditB);
    EXPECT_EQ(o.slider(kSliderB)->value(), 0);
    EXPECT_EQ(o.recordB, 0);
    EXPECT_TRUE(script.shown.empty());
}

TEST(BoundValue, PageClickMovesOnePositionAndItsEndScrollIsIgnored)
{
    Owner o;
    QSlider* s = o.slider(kSliderA);
    // A click in the channel right of the handle.
    QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->width() - 3, s->height() / 2));
    EXPECT_EQ(s->value(), 5);
    EXPECT_EQ(o.a.GetPosition(), 5);
    EXPECT_EQ(o.edit(kEditA)->text(), "2.5");
    EXPECT_FALSE(g_bSkipEndScroll);  // the release's end-scroll took it

    s->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(s->value(), 4);
    EXPECT_TRUE(g_bSkipEndScroll);
    // The end-scroll that follows is ignored, even though the edit now disagrees.
    o.edit(kEditA)->setText("9");
    QTest::mouseRelease(s, Qt::LeftButton);
    EXPECT_FALSE(g_bSkipEndScroll);
    EXPECT_EQ(o.edit(kEditA)->text(), "9");
    EXPECT_EQ(o.a.GetPosition(), 4);
}

TEST(BoundValue, DraggingOneTrackbarRefreshesEveryPairFromItsOwn)
{
    Owner o;
    o.slider(kSliderA)->setSliderDown(true);
    o.slider(kSliderA)->setSliderPosition(-7);
    o.slider(kSliderA)->setSliderDown(false);
    EXPECT_EQ(o.recordA, -7);
    EXPECT_EQ(o.edit(kEditA)->text(), "-3.5");
    EXPECT_EQ(o.recordB, 5);
    EXPECT_EQ(o.edit(kEditB)->text(), "5");
}
