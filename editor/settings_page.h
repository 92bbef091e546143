#pragma once

#include "settings/records/settings_record_set.h"
#include "ui/property_page.h"

namespace velmar::editor {

class CSettingsEditorSheet;

// A settings page: edits its record of the working set and may look at fields of other
// pages' records. Cancel on any page asks the General page whether to save.
class CSettingsPage : public ui::PropertyPage {
public:
    using ui::PropertyPage::PropertyPage;

    // Gives the page its record in the working set and its links into other records.
    virtual void BindRecords(SettingsRecordSet& working) = 0;
    bool onQueryCancel() override;
};

}  // namespace velmar::editor
