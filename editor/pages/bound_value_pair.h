#pragma once

#include <string>

#include "ui/dialog.h"

class QSlider;

namespace velmar::editor {

inline constexpr int kOutOfRangeTextId = 1163;

// One trackbar/edit pair: the trackbar position is what a settings record stores, the edit
// shows position / scale + offset. The object is also the "Value out of range" box that the
// owner shows when the pair refuses a typed value.
class CBoundValueDlg : public ui::Dialog {
public:
    CBoundValueDlg();

    // Set-up, by the owner
    void Attach(int sliderId, int editId, QSlider* trackbar);
    void SetScale(double scale, double offset);
    void SetLimits(double low, double high);
    void SetPosition(int position);  // clamped into the limits
    void SetValue(double value);     // not clamped
    int GetPosition() const { return position_; }
    double GetScale() const { return scale_; }
    double GetValue() const { return value_; }
    double ValueOf(int position) const;
    int PositionOf(double value) const;
    bool IsInRange() const;
    double LowestValue() const;
    double HighestValue() const;
    int MinPosition() const { return minPosition_; }
    int MaxPosition() const { return maxPosition_; }
    int SliderId() const { return sliderId_; }
    int EditId() const { return editId_; }

    // Event side, by the owner's handlers
    void NoteEditChange() { setFlags(true, false, false); }
    void NoteEditKillFocus() { setFlags(false, false, true); }
    void NoteSliderMove() { setFlags(false, true, false); }
    bool StepFromScroll(const QSlider* bar, int delta);
    // The pair's data-exchange step; false when a typed value is refused.
    bool Exchange(ui::DataExchange& dx);
    void FocusEdit(ui::ControlHost& owner) const;
    // Selects the edit's whole text without moving the focus.
    void SelectEdit(ui::ControlHost& owner) const;

protected:
    void onInitDialog() override;

private:
    void buildControls();
    void setFlags(bool editChanged, bool sliderMoved, bool editLeft);
    bool takeTypedValue(ui::DataExchange& dx);
    bool takeLeftValue(ui::DataExchange& dx);
    void showPosition(ui::DataExchange& dx);

    double scale_ = 1.0;
    int position_ = 0;
    double value_ = 0.0;
    int sliderId_ = 0;
    int editId_ = 0;
    bool editChanged_ = false;
    bool sliderMoved_ = false;
    bool editLeft_ = false;
    double offset_ = 0.0;
    int minPosition_ = 0;
    int maxPosition_ = 0;
    QSlider* trackbar_ = nullptr;
};

// The "Value out of range" text for a pair: lowest and highest value and the step.
std::string outOfRangeText(const CBoundValueDlg& pair);

}  // namespace velmar::editor
