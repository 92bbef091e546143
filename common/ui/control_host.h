#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <map>
#include <vector>

class QSlider;

namespace velmar::ui {

class DataExchange;

// What a control tells its owner. Buttons click, edits change and lose the focus, lists
// change their selection.
enum class Notify { Clicked, EditChange, EditKillFocus, SelChange };

// Scroll codes a trackbar reports to its owner's onHScroll, numbered as the pages expect.
enum ScrollCode : int {
    kScrollLineLeft = 0,
    kScrollLineRight = 1,
    kScrollPageLeft = 2,
    kScrollPageRight = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollLeft = 6,
    kScrollRight = 7,
    kScrollEnd = 8,
};

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// The common half of a dialog and a property page: controls registered under numeric ids,
// a table of notification handlers, and data exchange between the controls and members.
// While an exchange runs, notifications from the controls are not delivered, so loading a
// value into a control never re-enters the owner.
class ControlHost {
public:
    explicit ControlHost(QWidget& self);
    virtual ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    // The widget must be a descendant of the host. Sliders report scrolls to onHScroll.
    void registerControl(int id, QWidget* control);
    QWidget* control(int id) const;
    template <class T>
    T* controlAs(int id) const
    {
        return qobject_cast<T*>(control(id));
    }
    int controlId(const QWidget* control) const;  // -1 when not registered

    // The handler table: one handler per (id, notification).
    void onCommand(int id, Notify code, std::function<void()> handler);

    // Loads the controls from the members (save false) or takes them back (save true).
    // False when a value was refused; the exchange stopped there.
    bool updateData(bool save = true);
    bool exchanging() const { return exchanging_; }
    // How many exchanges so far refused a value and said so, whether they stopped there or
    // went on: compared before and after an action, it tells whether the action was refused.
    unsigned refusals() const { return refusals_; }

    // The text of an edit, label, button or group box.
    void setControlText(int id, const QString& text);
    QString controlText(int id) const;

    // Makes the radio buttons one exclusive group of their own, whatever their parents:
    // radios of other groups on the same page are not touched when one of these is checked.
    void addRadioGroup(const std::vector<int>& ids);

    // Replaces a drop list's items and keeps its selected index (no selection when the new
    // list is too short), where Qt would select the first item of a list filled from empty.
    void setListItems(int id, const QStringList& items);

    // Show-and-enable or hide-and-disable; enable or disable only. Unknown ids are skipped.
    void showControls(bool show, std::initializer_list<int> ids);
    void showControls(bool show, const std::vector<int>& ids);
    void enableControls(bool enable, std::initializer_list<int> ids);
    void enableControls(bool enable, const std::vector<int>& ids);

    QWidget& widget() { return self_; }
    const QWidget& widget() const { return self_; }

    // Delivers a notification as if the control had sent it (tests and composite controls).
    void notify(int id, Notify code);

protected:
    virtual void doDataExchange(DataExchange& dx);
    // A trackbar scrolled: code is a ScrollCode, position the trackbar's position.
    virtual void onHScroll(int code, int position, QSlider* bar);

private:
    void connectNotifications(int id, QWidget* control);
    void connectSlider(QSlider* slider);

    QWidget& self_;
    std::map<int, QPointer<QWidget>> controls_;
    std::map<std::pair<int, Notify>, std::function<void()>> handlers_;
    bool exchanging_ = false;
    unsigned refusals_ = 0;
};

}  // namespace velmar::ui
