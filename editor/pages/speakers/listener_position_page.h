#pragma once

#include <array>

#include "pages/bound_value_group.h"
#include "pages/speakers/listener_rules.h"
#include "pages/settings_page.h"

namespace velmar::editor {

// "3. Listener Position": the distance from the listening position to each speaker in feet
// or metres, and the spacing of the two rear speakers. Distances that the speaker
// arrangement of "2. Speaker Config" has no use for are replaced by "Preset".
class CListenerPosition : public CSettingsPage {
public:
    explicit CListenerPosition(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override;
    bool onSetActive() override;

protected:
    void onCreateControls() override;
    void LoadRecord() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    void ApplyVisibility();
    void SetUpPairs();
    void LoadDistances();
    void SaveDistances();
    void OnUnitChange();

    ListenerRecord* record_ = nullptr;
    const int* surroundType_ = nullptr;
    const int* rearType_ = nullptr;
    std::array<CBoundValueDlg, kDistanceCount> pairs_;  // in the page's row order
    BoundValueGroup group_;
};

}  // namespace velmar::editor
