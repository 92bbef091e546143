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

bool PropertyPage::onKillActive() { return updateData(true); }

bool PropertyPage::onApply() { return true; }

bool PropertyPage::onQueryCancel() { return true; }

}  // namespace velmar::ui
