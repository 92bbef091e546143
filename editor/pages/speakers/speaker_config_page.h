#pragma once

#include "pages/settings_page.h"

namespace velmar::editor {

// Control ids of page "2. Speaker Config".
enum SpeakerConfigControl : int {
    kIdCinemaConfig = 1050,
    kIdMusicConfig = 1057,
    kIdRoomFilter = 1063,
    kIdBassPeak = 1064,
    kIdSurroundType = 1076,
    kIdRearType = 1081,
    kIdCenterEq = 1082,
    kIdTvSize = 1083,
};

// "2. Speaker Config": surround and rear speaker types and the center equaliser; the Cinema
// and Music speaker modes, the room resonance filter and the bass peak level through their
// dialogs, each kept only when it ends with OK.
class CSpeakerConfigPage : public CSettingsPage {
public:
    explicit CSpeakerConfigPage(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override;
    SpeakerConfigRecord& record() { return *record_; }
    void WalkControls(PageWalk& walk) override;

protected:
    void onCreateControls() override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    void OnCenterEq();
    void OnCinemaConfig();
    void OnMusicConfig();
    void OnRoomFilter();
    void OnBassPeak();

    SpeakerConfigRecord* record_ = nullptr;
};

}  // namespace velmar::editor
