#include "ui/property_page.h"

namespace velmar::ui {

PropertyPage::PropertyPage(QString caption) : ControlHost(static_cast<QWidget&>(*this)), caption_(std::move(caption)) {}

void PropertyPage::onInitDialog() { updateData(false); }

bool PropertyPage::onSetActive()
{
    if (firstSetActive_)
        firstSetActive_ = false;
    else
        updateData(false);
    return true;
}

bool PropertyPage::onKillActive()
{
    // A value refused on the way keeps the page as a failed exchange does: it is never left
    // behind unseen.
    const unsigned before = refusals();
    return updateData(true) && refusals() == before;
}

bool PropertyPage::onApply() { return true; }

bool PropertyPage::onQueryCancel() { return true; }

}  // namespace velmar::ui
