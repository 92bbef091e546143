#include "pages/settings_page.h"

#include "app/settings_editor_sheet.h"
#include "pages/page_walk.h"

namespace velmar::editor {

CSettingsPage::CSettingsPage(QString caption, PageContext& context)
    : ui::PropertyPage(std::move(caption)), store_(context.store)
{
}

CSettingsEditorSheet* CSettingsPage::editorSheet() const { return dynamic_cast<CSettingsEditorSheet*>(sheet()); }

unsigned CSettingsPage::workingSetGeneration() const
{
    CSettingsEditorSheet* s = editorSheet();
    return s ? s->general().workingSetGeneration() : 0;
}

bool CSettingsPage::onQueryCancel()
{
    CSettingsEditorSheet* s = editorSheet();
    return s ? s->general().onQueryCancel() : true;
}

void CSettingsPage::onInitDialog()
{
    loadedGeneration_ = workingSetGeneration();
    LoadRecord();
    ui::PropertyPage::onInitDialog();
}

bool CSettingsPage::onSetActive()
{
    if (const unsigned now = workingSetGeneration(); now != loadedGeneration_) {
        loadedGeneration_ = now;
        LoadRecord();
    }
    return ui::PropertyPage::onSetActive();
}

void CSettingsPage::WalkControls(PageWalk& walk) { walk.read(*this); }

}  // namespace velmar::editor
