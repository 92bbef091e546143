// "2. Speaker Config"'s walk for a report (pages/page_walk.h): the page and its four dialogs,
// each loaded as opening it would and left as Cancel leaves it.
#include "pages/page_walk.h"
#include "pages/speakers/bass_peak_level_dialog.h"
#include "pages/speakers/room_resonance_dialog.h"
#include "pages/speakers/speaker_config_page.h"
#include "pages/speakers/speaker_mode_dialog.h"
#include "pages/speakers/speaker_rules.h"
#include "ui/modal_copy.h"

namespace velmar::editor {

void CSpeakerConfigPage::WalkControls(PageWalk& walk)
{
    walk.read(*this, {.skip = {kIdCinemaConfig, kIdMusicConfig, kIdRoomFilter, kIdBassPeak}});
    // A dialog's rules may put its record in order as it loads (7.1 rears without surrounds).
    ui::keepOnOk(*record_, [&] {
        CCinemaSpeakerConfigDlg cinema(record_->cinema, this);
        readDialog(walk, QStringLiteral("cinema"), cinema);
        return false;
    });
    ui::keepOnOk(*record_, [&] {
        CMusicSpeakerConfigDlg music(record_->music, record_->musicSameAsCinema, this);
        readDialog(walk, QStringLiteral("music"), music);
        return false;
    });
    ui::keepOnOk(*record_, [&] {
        CRoomResonanceDlg room(record_->room, roomFrequencyLimit(*record_), this);
        readDialog(walk, QStringLiteral("room"), room);
        return false;
    });
    ui::keepOnOk(*record_, [&] {
        CBassPeakLevelDlg bassPeak(record_->bassPeak, record_->room.thxUltra2Sub, this);
        readDialog(walk, QStringLiteral("bass-peak"), bassPeak);
        return false;
    });
}

}  // namespace velmar::editor
