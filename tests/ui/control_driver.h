#pragma once

// Drives controls by id the way a user would: each change goes through the control, and the
// owner hears of it as it would from a real click or keystroke.
#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSlider>
#include <QString>
#include <QTest>
#include <string>

#include "ui/control_host.h"

namespace velmar::test {

inline void clickControl(ui::ControlHost& host, int id)
{
    if (auto* b = host.controlAs<QAbstractButton>(id))
        b->click();
}

// Ticks or clears a check box (or checks a radio) with a click, when it is not so already.
inline void setChecked(ui::ControlHost& host, int id, bool on = true)
{
    if (auto* b = host.controlAs<QAbstractButton>(id); b && b->isChecked() != on)
        b->click();
}

inline bool isChecked(ui::ControlHost& host, int id)
{
    auto* b = host.controlAs<QAbstractButton>(id);
    return b && b->isChecked();
}

// Replaces an edit's text as typing would: the owner hears of the change.
inline void typeText(ui::ControlHost& host, int id, const QString& text)
{
    if (auto* e = host.controlAs<QLineEdit>(id)) {
        e->setText(text);
        host.notify(id, ui::Notify::EditChange);
    }
}

// Types over an edit's whole text one key at a time, as a user does: the owner hears of every
// keystroke.
inline void typeKeys(ui::ControlHost& host, int id, const QString& keys)
{
    if (auto* e = host.controlAs<QLineEdit>(id)) {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, keys);
    }
}

// The edit loses the focus.
inline void leaveEdit(ui::ControlHost& host, int id)
{
    if (auto* e = host.controlAs<QLineEdit>(id)) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(e, &out);
    }
}

// Chooses a drop list's item as the user would.
inline void chooseItem(ui::ControlHost& host, int id, int index)
{
    if (auto* c = host.controlAs<QComboBox>(id)) {
        c->setCurrentIndex(index);
        host.notify(id, ui::Notify::SelChange);
    }
}

inline std::string itemText(ui::ControlHost& host, int id)
{
    auto* c = host.controlAs<QComboBox>(id);
    return c ? c->currentText().toStdString() : std::string{};
}

inline std::string textOf(ui::ControlHost& host, int id) { return host.controlText(id).toStdString(); }

// A page click in a trackbar's channel, left or right of the thumb.
inline void pageClick(ui::ControlHost& host, int id, bool right)
{
    if (auto* s = host.controlAs<QSlider>(id)) {
        s->triggerAction(right ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
        QTest::mouseRelease(s, Qt::LeftButton);
    }
}

}  // namespace velmar::test
