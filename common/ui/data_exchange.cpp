#include "ui/data_exchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <charconv>

#include "ui/control_host.h"
#include "ui/message_box.h"

namespace velmar::ui {

void DataExchange::refuse() { refused_ = true; }

void DataExchange::fail(int controlId)
{
    failed_ = true;
    if (QWidget* w = host_.control(controlId))
        w->setFocus(Qt::OtherFocusReason);
}

QString formatDouble(double value) { return QString::asprintf("%.15g", value); }

// Read back as formatDouble writes, with a point whatever the locale (strtod would want the
// locale's decimal comma once the application has set it).
bool parseDouble(const QString& text, double& value)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    if (begin != end && *begin == '+')
        ++begin;
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, parsed);
    if (bytes.isEmpty() || error != std::errc() || stop != end)
        return false;
    value = parsed;
    return true;
}

bool parseInt(const QString& text, int& value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (ok)
        value = parsed;
    return ok;
}

namespace {

constexpr const char* kUnshownValueProperty = "velmarUnshownValue";

// Edits and labels both carry text; status lines are labels.
QString textOf(QWidget* w)
{
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    return {};
}

void setTextOf(QWidget* w, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(text);
    }
}

// Checks exactly the button at index (none for -1). Exclusive groups refuse to uncheck
// their last checked button, so exclusivity is lifted while the buttons are set.
void checkRadio(const std::vector<QAbstractButton*>& buttons, int index)
{
    std::vector<QButtonGroup*> groups;
    std::vector<QAbstractButton*> autoExclusive;
    for (QAbstractButton* b : buttons) {
        if (!b)
            continue;
        if (QButtonGroup* g = b->group(); g && g->exclusive()) {
            g->setExclusive(false);
            groups.push_back(g);
        } else if (b->autoExclusive()) {
            b->setAutoExclusive(false);
            autoExclusive.push_back(b);
        }
    }
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i])
            buttons[i]->setChecked(static_cast<int>(i) == index);
    for (QButtonGroup* g : groups)
        g->setExclusive(true);
    for (QAbstractButton* b : autoExclusive)
        b->setAutoExclusive(true);
}

}  // namespace

void noteUnshownValue(QWidget* control, std::optional<int> stored)
{
    if (control)
        control->setProperty(kUnshownValueProperty, stored ? QVariant(*stored) : QVariant());
}

std::optional<int> unshownValue(const QWidget* control)
{
    const QVariant stored = control ? control->property(kUnshownValueProperty) : QVariant();
    return stored.isValid() ? std::optional<int>(stored.toInt()) : std::nullopt;
}

void ddxText(DataExchange& dx, int id, QString& value)
{
    QWidget* w = dx.host().control(id);
    if (dx.failed() || !w)
        return;
    if (dx.saving())
        value = textOf(w);
    else
        setTextOf(w, value);
}

void ddxText(DataExchange& dx, int id, std::string& value)
{
    QString text = QString::fromStdString(value);
    ddxText(dx, id, text);
    if (dx.saving())
        value = text.toStdString();
}

void ddxText(DataExchange& dx, int id, double& value)
{
    QWidget* w = dx.host().control(id);
    if (dx.failed() || !w)
        return;
    if (!dx.saving()) {
        setTextOf(w, formatDouble(value));
        return;
    }
    double parsed = 0.0;
    if (!parseDouble(textOf(w), parsed)) {
        messageBox(&dx.host().widget(), kEnterNumberText);
        dx.fail(id);
        return;
    }
    value = parsed;
}

void ddxInt(DataExchange& dx, int id, int& value)
{
    QWidget* w = dx.host().control(id);
    if (dx.failed() || !w)
        return;
    if (!dx.saving()) {
        setTextOf(w, QString::number(value));
        return;
    }
    int parsed = 0;
    if (!parseInt(textOf(w), parsed)) {
        messageBox(&dx.host().widget(), kEnterIntegerText);
        dx.fail(id);
        return;
    }
    value = parsed;
}

void ddxCheck(DataExchange& dx, int id, int& value)
{
    auto* box = dx.host().controlAs<QAbstractButton>(id);
    if (dx.failed() || !box)
        return;
    if (dx.saving())
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void ddxCBIndex(DataExchange& dx, int id, int& value)
{
    auto* combo = dx.host().controlAs<QComboBox>(id);
    if (dx.failed() || !combo)
        return;
    if (!dx.saving()) {
        const bool shown = value >= 0 && value < combo->count();
        combo->setCurrentIndex(shown ? value : -1);
        noteUnshownValue(combo, shown ? std::nullopt : std::optional<int>(value));
    } else if (combo->currentIndex() >= 0)
        value = combo->currentIndex();
}

void ddxSlider(DataExchange& dx, int id, int& value)
{
    auto* slider = dx.host().controlAs<QSlider>(id);
    if (dx.failed() || !slider)
        return;
    // sliderPosition, not value: a scroll handler runs before the slider takes its new value.
    if (dx.saving())
        value = slider->sliderPosition();
    else
        slider->setValue(value);
}

void ddxRadio(DataExchange& dx, const std::vector<int>& ids, int& value)
{
    if (dx.failed())
        return;
    std::vector<QAbstractButton*> buttons;
    for (const int id : ids)
        buttons.push_back(dx.host().controlAs<QAbstractButton>(id));
    if (!dx.saving()) {
        checkRadio(buttons, value);
        const bool shown = value >= 0 && value < static_cast<int>(buttons.size());
        for (QAbstractButton* b : buttons)
            noteUnshownValue(b, shown ? std::nullopt : std::optional<int>(value));
        return;
    }
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i] && buttons[i]->isChecked())
            value = static_cast<int>(i);
}

void ddxRadio(DataExchange& dx, std::initializer_list<int> ids, int& value)
{
    ddxRadio(dx, std::vector<int>(ids), value);
}

}  // namespace velmar::ui
