#include "pages/bound_value_group.h"

#include <algorithm>

namespace velmar::editor {

bool g_bSkipEndScroll = false;

BoundValueGroup::BoundValueGroup(ui::ControlHost& owner, PairRules rules) : owner_(owner), rules_(std::move(rules)) {}

void BoundValueGroup::add(CBoundValueDlg& pair)
{
    pairs_.push_back(&pair);
    const int editId = pair.EditId();
    owner_.onCommand(editId, ui::Notify::EditChange, [this, editId] { noteEdit(editId, false); });
    if (rules_.leaveRule)
        owner_.onCommand(editId, ui::Notify::EditKillFocus, [this, editId] { noteEdit(editId, true); });
}

void BoundValueGroup::setActive(const CBoundValueDlg& pair, bool active)
{
    std::erase(inactive_, &pair);
    if (!active)
        inactive_.push_back(&pair);
}

bool BoundValueGroup::isActive(const CBoundValueDlg& pair) const
{
    return std::find(inactive_.begin(), inactive_.end(), &pair) == inactive_.end();
}

void BoundValueGroup::noteEdit(int editId, bool left)
{
    for (CBoundValueDlg* pair : pairs_) {
        if (pair->EditId() != editId || !isActive(*pair))
            continue;
        if (left)
            pair->NoteEditKillFocus();
        else
            pair->NoteEditChange();
    }
    owner_.updateData(true);
}

void BoundValueGroup::exchange(ui::DataExchange& dx)
{
    // Notifications stay shut off while the message is open (the owner is exchanging), so
    // the edit losing the focus to the message cannot open a second one.
    for (CBoundValueDlg* pair : pairs_) {
        if (isActive(*pair) && !pair->Exchange(dx)) {
            dx.refuse();
            pair->doModal();
            if (rules_.focusRefused)
                pair->FocusEdit(owner_);
            else
                pair->SelectEdit(owner_);
        }
    }
}

void BoundValueGroup::onHScroll(int code, QSlider* bar)
{
    if (code == ui::kScrollPageLeft || code == ui::kScrollPageRight) {
        const int delta = code == ui::kScrollPageLeft ? -1 : 1;
        for (CBoundValueDlg* pair : scrollOrder_.empty() ? pairs_ : scrollOrder_) {
            if (isActive(*pair) && pair->StepFromScroll(bar, delta)) {
                if (rules_.commitOnPageClick)
                    owner_.updateData(true);
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
        if (isActive(*pair))
            pair->NoteSliderMove();
    if (rules_.beforeSliderCommit)
        rules_.beforeSliderCommit();
    owner_.updateData(true);
}

}  // namespace velmar::editor
