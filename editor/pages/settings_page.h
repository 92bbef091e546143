#pragma once

#include "settings/records/settings_record_set.h"
#include "settings/settings_store.h"
#include "ui/property_page.h"

namespace velmar::editor {

class CSettingsEditorSheet;
class PageWalk;

// What every settings page is built with.
struct PageContext {
    SettingsStore& store;
};

// A settings page: edits its record of the working set and may look at fields of other
// pages' records. Cancel on any page asks the General page whether to save.
class CSettingsPage : public ui::PropertyPage {
public:
    CSettingsPage(QString caption, PageContext& context);

    // Gives the page its record in the working set and its links into other records.
    virtual void BindRecords(SettingsRecordSet& working) = 0;
    bool onQueryCancel() override;
    // LoadRecord, then the controls are loaded.
    void onInitDialog() override;
    // LoadRecord again first when the General page replaced the working set meanwhile.
    bool onSetActive() override;
    // Hands what the page shows to the walk, through every state of its selectors and its
    // dialogs and sub-sheets (page_walk.h); the page and its records stay as they were.
    virtual void WalkControls(PageWalk& walk);

protected:
    // Takes the page's own state (pairs, selections) from its record: before the controls
    // are first loaded and whenever the page is shown after the working set was replaced.
    virtual void LoadRecord() {}
    SettingsStore& store() { return store_; }
    CSettingsEditorSheet* editorSheet() const;

private:
    unsigned workingSetGeneration() const;

    SettingsStore& store_;
    unsigned loadedGeneration_ = 0;
};

}  // namespace velmar::editor
