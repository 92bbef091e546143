#pragma once

#include <array>

#include "pages/bound_value_pair.h"
#include "pages/bound_value_group.h"
#include "pages/settings_page.h"

namespace velmar::editor {

enum InputLevelId : int {
    kIdLevelSourceLabel = 1156,
    kIdLevelSlider = 1162,
    kIdLevelEdit = 1161,
};

// "6. Adjust Input Levels": the analog input level of each source, one source at a time
// through one trackbar and edit. Every activation starts on DVD; leaving the page writes the
// levels through to the store.
class CAdjustInputLevels : public CSettingsPage {
public:
    explicit CAdjustInputLevels(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override { record_ = &working.inputLevels; }
    void onCreateControls() override;
    bool onSetActive() override;
    bool onKillActive() override;
    int selectedSource() const { return selected_; }
    void WalkControls(PageWalk& walk) override;

protected:
    void LoadRecord() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    void select(int source);

    InputLevelsRecord* record_ = nullptr;
    std::array<CBoundValueDlg, kSourceCount> level_;
    BoundValueGroup pairs_;
    int selected_;
};

}  // namespace velmar::editor
