#pragma once

#include <vector>

#include "bound_value_dlg.h"

namespace velmar::editor {

// Set when a page click on a trackbar was taken as one step, so that the end-of-scroll
// notification that follows it changes nothing. One for the whole program.
extern bool g_bSkipEndScroll;

// The owner's half of the pair protocol, shared by every page and dialog with pairs: the
// pairs in their fixed exchange order.
class BoundValueGroup {
public:
    explicit BoundValueGroup(ui::ControlHost& owner) : owner_(owner) {}

    // Adds a pair and routes its edit's change and lost-focus notifications to it.
    void add(CBoundValueDlg& pair);
    const std::vector<CBoundValueDlg*>& pairs() const { return pairs_; }

    // In the owner's doDataExchange: exchanges every pair; a refused one shows its message
    // and gets the focus back with its text selected. The other pairs are still exchanged.
    void exchange(ui::DataExchange& dx);

    // The owner's onHScroll.
    void onHScroll(int code, QSlider* bar);

private:
    ui::ControlHost& owner_;
    std::vector<CBoundValueDlg*> pairs_;
};

}  // namespace velmar::editor
