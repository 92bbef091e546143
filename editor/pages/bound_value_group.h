#pragma once

#include <functional>
#include <vector>

#include "pages/bound_value_pair.h"

namespace velmar::editor {

// Set when a page click on a trackbar was taken as one step, so that the end-of-scroll
// notification that follows it changes nothing. One for the whole program.
extern bool g_bSkipEndScroll;

// How an owner's pairs react, where pages differ.
struct PairRules {
    // Leaving an edit takes its text as typed (only values on a step pass); without it only
    // what is typed counts, and a value inside the range is taken truncated.
    bool leaveRule = true;
    // A page click on a trackbar commits the owner's controls before refreshing them.
    bool commitOnPageClick = false;
    // After its message a refused edit gets the focus back with its text selected; without
    // it the text is selected and the focus stays where the user put it.
    bool focusRefused = true;
    // Runs when a trackbar was moved (not by a page click), before that move is committed;
    // typing into an edit or a page click does not run it.
    std::function<void()> beforeSliderCommit{};
};

// The owner's half of the pair protocol, shared by every page and dialog with pairs: the
// pairs in their fixed exchange order.
class BoundValueGroup {
public:
    explicit BoundValueGroup(ui::ControlHost& owner, PairRules rules = {});

    // Adds a pair and routes its edit's change (and lost-focus) notifications to it. Pairs
    // may share one trackbar and edit; then only the active one of them takes part.
    void add(CBoundValueDlg& pair);
    const std::vector<CBoundValueDlg*>& pairs() const { return pairs_; }

    // An inactive pair is left out of exchanges, scrolls and notifications (a pair sharing
    // its controls with the selected one, or one whose controls are hidden). All start active.
    void setActive(const CBoundValueDlg& pair, bool active);
    bool isActive(const CBoundValueDlg& pair) const;

    // The order in which a page click looks for its trackbar; the exchange order by default.
    void setScrollOrder(std::vector<CBoundValueDlg*> order) { scrollOrder_ = std::move(order); }

    // In the owner's doDataExchange: exchanges every active pair; a refused one shows its
    // message and has its text selected (see focusRefused), and the exchange counts as one
    // that refused a value. The others are still exchanged.
    void exchange(ui::DataExchange& dx);

    // The owner's onHScroll.
    void onHScroll(int code, QSlider* bar);

private:
    void noteEdit(int editId, bool left);

    ui::ControlHost& owner_;
    PairRules rules_;
    std::vector<CBoundValueDlg*> pairs_;
    std::vector<const CBoundValueDlg*> inactive_;
    std::vector<CBoundValueDlg*> scrollOrder_;
};

}  // namespace velmar::editor
