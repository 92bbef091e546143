#pragma once

#include "pages/bound_value_group.h"
#include "pages/settings_page.h"

namespace velmar::editor {

enum VolumesControl : int {
    kIdOnVolumeEdit = 112,
    kIdMaxVolumeEdit = 113,
    kIdPathMain = 1022,
    kIdPathZone2 = 1023,
    kIdPathZone3 = 1024,
    kIdPathHPhone = 1025,
    kIdOnVolumeSlider = 1047,
    kIdMaxVolumeSlider = 1048,
    kIdMaxVolumeUnit = 1086,
    kIdMuteLevel = 1179,
    kIdRenameZone2 = 1180,
    kIdHPhoneMute = 1181,
    kIdVolumeBox = 1182,
    kIdRenameZone3 = 1183,
    kIdRenameRecord = 1184,
    kIdLockToOnVol = 1217,
};

// "8. Volume/Path Names": mute level, headphone mute, the turn-on and maximum volume of the
// four paths through one pair of volume controls, and the names of Zone 2, Zone 3 and Record.
class CVolumesRenamePaths : public CSettingsPage {
public:
    explicit CVolumesRenamePaths(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override { record_ = &working.volumes; }
    void onCreateControls() override;
    bool onSetActive() override;
    // The record also goes into the settings store: other pages' limits follow its volumes.
    bool onKillActive() override;
    void WalkControls(PageWalk& walk) override;

protected:
    void LoadRecord() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    void OnPath();
    // Both pairs ranged for the selected path and set from its volumes.
    void ShowPath();
    // On Volume's top follows Max Volume as it stands, and On Volume never passes it. Run
    // before a slider move is committed, never on typing: a Max Volume typed digit by digit
    // must not pull On Volume down to each digit on the way.
    void LimitOnVolume();
    void ShowLock();

    VolumesRecord* record_ = nullptr;
    int path_ = 0;
    int pathChecked_ = 0;
    CBoundValueDlg onVolume_;
    CBoundValueDlg maxVolume_;
    BoundValueGroup pairs_;
};

}  // namespace velmar::editor
