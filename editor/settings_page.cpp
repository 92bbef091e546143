#include "settings_page.h"

#include "settings_editor_sheet.h"

namespace velmar::editor {

bool CSettingsPage::onQueryCancel()
{
    auto* sheet = dynamic_cast<CSettingsEditorSheet*>(this->sheet());
    return sheet ? sheet->general().onQueryCancel() : true;
}

}  // namespace velmar::editor
