#include "pages/bound_value_pair.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

// Positions are whole trackbar steps; conversions truncate toward zero.
int truncated(double x) { return static_cast<int>(std::trunc(x)); }

}  // namespace

CBoundValueDlg::CBoundValueDlg() { setWindowTitle(texts::kOutOfRangeCaption); }

void CBoundValueDlg::buildControls()
{
    ui::buildMessageLayout(*this, *this, kOutOfRangeTextId, texts::kOk, 360)->setText(texts::kOutOfRangeTemplate);
}

void CBoundValueDlg::Attach(int sliderId, int editId, QSlider* trackbar)
{
    sliderId_ = sliderId;
    editId_ = editId;
    trackbar_ = trackbar;
}

void CBoundValueDlg::SetScale(double scale, double offset)
{
    scale_ = scale;
    offset_ = offset;
}

void CBoundValueDlg::SetLimits(double low, double high)
{
    const double lowest = low > high ? high - 1 : low;
    minPosition_ = truncated(scale_ * (lowest - offset_));
    maxPosition_ = truncated(scale_ * (high - offset_));
    if (trackbar_) {
        trackbar_->setRange(minPosition_, maxPosition_);
        trackbar_->update();
    }
}

void CBoundValueDlg::SetPosition(int position)
{
    position_ = std::clamp(position, minPosition_, std::max(minPosition_, maxPosition_));
    value_ = ValueOf(position_);
}

void CBoundValueDlg::SetValue(double value)
{
    value_ = value;
    position_ = PositionOf(value);
}

double CBoundValueDlg::ValueOf(int position) const { return position / scale_ + offset_; }

int CBoundValueDlg::PositionOf(double value) const { return truncated((value - offset_) * scale_); }

double CBoundValueDlg::LowestValue() const { return minPosition_ / scale_ + offset_; }

double CBoundValueDlg::HighestValue() const { return offset_ + maxPosition_ / scale_; }

bool CBoundValueDlg::IsInRange() const
{
    const double scaled = scale_ * value_;
    return LowestValue() <= value_ && value_ <= HighestValue() && scaled - std::trunc(scaled) == 0;
}

bool CBoundValueDlg::StepFromScroll(const QSlider* bar, int delta)
{
    if (!trackbar_ || bar != trackbar_)
        return false;
    SetPosition(position_ + delta);
    return true;
}

void CBoundValueDlg::setFlags(bool editChanged, bool sliderMoved, bool editLeft)
{
    editChanged_ = editChanged;
    sliderMoved_ = sliderMoved;
    editLeft_ = editLeft;
}

void CBoundValueDlg::showPosition(ui::DataExchange& dx)
{
    ui::DataExchange load(dx.host(), false);
    ui::ddxSlider(load, sliderId_, position_);
}

bool CBoundValueDlg::takeTypedValue(ui::DataExchange& dx)
{
    QString text;
    ui::ddxText(dx, editId_, text);
    // Nothing changes while the user is starting to type a number.
    if (text.isEmpty() || text == "-")
        return true;
    double typed = value_;
    ui::ddxText(dx, editId_, typed);
    if (dx.failed())
        return true;
    const double kept = value_;
    value_ = typed;
    if (!IsInRange() && (typed < 0 || typed > HighestValue())) {
        value_ = kept;
        return false;
    }
    if (typed >= 0 && LowestValue() >= typed) {
        // While typing, a non-negative number at or below the lowest value gives the next
        // position up rather than the lowest one or a message.
        position_ = minPosition_ + 1;
        value_ = ValueOf(position_);
    } else {
        position_ = PositionOf(typed);
        // Off a step, the trackbar's value is what is held; leaving the edit then refuses
        // the text as typed, so a refused value never reaches a record.
        if (!IsInRange())
            value_ = ValueOf(position_);
    }
    showPosition(dx);
    setFlags(false, false, false);
    return true;
}

bool CBoundValueDlg::takeLeftValue(ui::DataExchange& dx)
{
    double typed = value_;
    ui::ddxText(dx, editId_, typed);
    if (dx.failed())
        return true;
    const double kept = value_;
    value_ = typed;
    if (!IsInRange()) {
        value_ = kept;
        return false;
    }
    position_ = PositionOf(typed);
    showPosition(dx);
    setFlags(false, false, false);
    return true;
}

bool CBoundValueDlg::Exchange(ui::DataExchange& dx)
{
    if (dx.failed())
        return true;
    if (!dx.saving()) {
        ui::ddxText(dx, editId_, value_);
        ui::ddxSlider(dx, sliderId_, position_);
        setFlags(false, false, false);
        return true;
    }
    if (editChanged_)
        return takeTypedValue(dx);
    if (sliderMoved_) {
        ui::ddxSlider(dx, sliderId_, position_);
        value_ = ValueOf(position_);
        ui::DataExchange load(dx.host(), false);
        ui::ddxText(load, editId_, value_);
        setFlags(false, false, false);
        return true;
    }
    if (editLeft_)
        return takeLeftValue(dx);
    setFlags(false, false, false);
    return true;
}

void CBoundValueDlg::FocusEdit(ui::ControlHost& owner) const
{
    if (auto* edit = owner.controlAs<QLineEdit>(editId_)) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

void CBoundValueDlg::SelectEdit(ui::ControlHost& owner) const
{
    if (auto* edit = owner.controlAs<QLineEdit>(editId_))
        edit->selectAll();
}

std::string outOfRangeText(const CBoundValueDlg& pair)
{
    char text[160];
    std::snprintf(text, sizeof text, texts::kOutOfRangeFormat, pair.LowestValue(), pair.HighestValue(),
                  1.0 / pair.GetScale());
    return text;
}

void CBoundValueDlg::onInitDialog()
{
    // Pages hold dozens of pairs and the box is rarely shown: it is built when first needed.
    if (!controlAs<QLabel>(kOutOfRangeTextId))
        buildControls();
    controlAs<QLabel>(kOutOfRangeTextId)->setText(QString::fromStdString(outOfRangeText(*this)));
}

}  // namespace velmar::editor
