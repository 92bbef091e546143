#include "ui/control_host.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "ui/data_exchange.h"

namespace velmar::ui {

namespace {

// Turns the events that have no signal of their own into notifications: an edit losing the
// focus, and the end of a trackbar scroll (mouse or key released). The control handles the
// event itself first, so what the owner then does to it (select its text) stays done.
class EventNotifier final : public QObject {
public:
    EventNotifier(QObject* parent, std::function<void()> onEvent, QEvent::Type a, QEvent::Type b)
        : QObject(parent), onEvent_(std::move(onEvent)), a_(a), b_(b)
    {
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != a_ && event->type() != b_)
            return false;
        watched->event(event);
        onEvent_();
        return true;
    }

private:
    std::function<void()> onEvent_;
    QEvent::Type a_;
    QEvent::Type b_;
};

int scrollCodeOf(int action)
{
    static const std::map<int, int> codes{
        {QAbstractSlider::SliderSingleStepSub, kScrollLineLeft},
        {QAbstractSlider::SliderSingleStepAdd, kScrollLineRight},
        {QAbstractSlider::SliderPageStepSub, kScrollPageLeft},
        {QAbstractSlider::SliderPageStepAdd, kScrollPageRight},
        {QAbstractSlider::SliderToMinimum, kScrollLeft},
        {QAbstractSlider::SliderToMaximum, kScrollRight},
        {QAbstractSlider::SliderMove, kScrollThumbTrack},
    };
    const auto it = codes.find(action);
    return it == codes.end() ? kScrollThumbTrack : it->second;
}

}  // namespace

ControlHost::ControlHost(QWidget& self) : self_(self) {}

ControlHost::~ControlHost() = default;

void ControlHost::registerControl(int id, QWidget* control)
{
    controls_[id] = control;
    connectNotifications(id, control);
}

QWidget* ControlHost::control(int id) const
{
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second.data();
}

int ControlHost::controlId(const QWidget* control) const
{
    for (const auto& [id, widget] : controls_)
        if (widget == control)
            return id;
    return -1;
}

void ControlHost::onCommand(int id, Notify code, std::function<void()> handler)
{
    handlers_[{id, code}] = std::move(handler);
}

void ControlHost::notify(int id, Notify code)
{
    if (exchanging_)
        return;
    const auto it = handlers_.find({id, code});
    if (it != handlers_.end()) {
        // A handler may replace itself (or the table) while it runs.
        const auto handler = it->second;
        handler();
    }
}

bool ControlHost::updateData(bool save)
{
    // Re-entered from a control's notification while exchanging: the outer exchange wins.
    if (exchanging_)
        return false;
    exchanging_ = true;
    DataExchange dx(*this, save);
    doDataExchange(dx);
    exchanging_ = false;
    if (dx.failed() || dx.refused())
        ++refusals_;
    return !dx.failed();
}

void ControlHost::doDataExchange(DataExchange&) {}

void ControlHost::onHScroll(int, int, QSlider*) {}

void ControlHost::setControlText(int id, const QString& text)
{
    DataExchange load(*this, false);
    QString shown = text;
    ddxText(load, id, shown);
}

QString ControlHost::controlText(int id) const
{
    QWidget* w = control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    return {};
}

void ControlHost::addRadioGroup(const std::vector<int>& ids)
{
    auto* group = new QButtonGroup(&self_);
    group->setExclusive(true);
    for (const int id : ids)
        if (auto* button = controlAs<QAbstractButton>(id))
            group->addButton(button);
}

void ControlHost::setListItems(int id, const QStringList& items)
{
    auto* combo = controlAs<QComboBox>(id);
    if (!combo)
        return;
    const QSignalBlocker block(combo);
    const int selected = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(selected < combo->count() ? selected : -1);
}

void ControlHost::showControls(bool show, const std::vector<int>& ids)
{
    for (const int id : ids) {
        if (QWidget* w = control(id)) {
            w->setVisible(show);
            w->setEnabled(show);
        }
    }
}

void ControlHost::showControls(bool show, std::initializer_list<int> ids) { showControls(show, std::vector<int>(ids)); }

void ControlHost::enableControls(bool enable, const std::vector<int>& ids)
{
    for (const int id : ids)
        if (QWidget* w = control(id))
            w->setEnabled(enable);
}

void ControlHost::enableControls(bool enable, std::initializer_list<int> ids)
{
    enableControls(enable, std::vector<int>(ids));
}

void ControlHost::connectNotifications(int id, QWidget* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, &self_, [this, id] { notify(id, Notify::Clicked); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(edit, &QLineEdit::textEdited, &self_, [this, id] { notify(id, Notify::EditChange); });
        edit->installEventFilter(new EventNotifier(
            edit, [this, id] { notify(id, Notify::EditKillFocus); }, QEvent::FocusOut, QEvent::FocusOut));
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QObject::connect(combo, &QComboBox::activated, &self_, [this, id] { notify(id, Notify::SelChange); });
    } else if (auto* slider = qobject_cast<QSlider*>(control)) {
        connectSlider(slider);
    }
}

void ControlHost::connectSlider(QSlider* slider)
{
    // actionTriggered comes before the slider takes the new value, so a handler may still
    // put the position somewhere else (one step for a page click).
    QObject::connect(slider, &QAbstractSlider::actionTriggered, &self_, [this, slider](int action) {
        if (!exchanging_)
            onHScroll(scrollCodeOf(action), slider->sliderPosition(), slider);
    });
    slider->installEventFilter(new EventNotifier(
        slider,
        [this, slider] {
            if (!exchanging_)
                onHScroll(kScrollEnd, slider->sliderPosition(), slider);
        },
        QEvent::MouseButtonRelease, QEvent::KeyRelease));
}

}  // namespace velmar::ui
