#include "bound_value_group.h"

namespace velmar::editor {

bool g_bSkipEndScroll = false;

void BoundValueGroup::add(CBoundValueDlg& pair)
{
    pairs_.push_back(&pair);
    CBoundValueDlg* p = &pair;
    owner_.onCommand(pair.EditId(), ui::Notify::EditChange, [this, p] {
        p->NoteEditChange();
        owner_.updateData(true);
    });
    owner_.onCommand(pair.EditId(), ui::Notify::EditKillFocus, [this, p] {
        p->NoteEditKillFocus();
        owner_.updateData(true);
    });
}

void BoundValueGroup::exchange(ui::DataExchange& dx)
{
    // Notifications stay shut off while the message is open (the owner is exchanging), so
    // the edit losing the focus to the message cannot open a second one.
    for (CBoundValueDlg* pair : pairs_) {
        if (!pair->Exchange(dx)) {
            pair->doModal();
            pair->FocusEdit(owner_);
        }
    }
}

void BoundValueGroup::onHScroll(int code, QSlider* bar)
{
    if (code == ui::kScrollPageLeft || code == ui::kScrollPageRight) {
        const int delta = code == ui::kScrollPageLeft ? -1 : 1;
        for (CBoundValueDlg* pair : pairs_) {
            if (pair->StepFromScroll(bar, delta)) {
                owner_.updateData(false);
                g_bSkipEndScroll = true;
                return;
            }
        }
    }
    if (code == ui::kScrollEnd && g_bSkipEndScroll) {
        g_bSkipEndScroll = false;
        return;
    }
    for (CBoundValueDlg* pair : pairs_)
        pair->NoteSliderMove();
    owner_.updateData(true);
}

}  // namespace velmar::editor
