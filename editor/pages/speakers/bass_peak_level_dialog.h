#pragma once

#include "pages/bound_value_group.h"
#include "ui/dialog.h"

namespace velmar::editor {

// Control ids of the Bass Peak Level dialog.
enum BassPeakControl : int { kIdBassPeakEdit = 105, kIdBassPeakSlider = 1207 };

// "Bass Peak Level": the highest bass level, in half decibels up to 0 dB. A THX Ultra2
// subwoofer manages its own, and the level cannot be changed then.
class CBassPeakLevelDlg : public ui::Dialog {
public:
    CBassPeakLevelDlg(int& bassPeak, const int& thxUltra2Sub, QWidget* parent = nullptr);

protected:
    void onInitDialog() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    int& bassPeak_;
    const int& thxUltra2Sub_;
    CBoundValueDlg level_;
    BoundValueGroup pairs_;
};

}  // namespace velmar::editor
