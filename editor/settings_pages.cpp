#include "settings_pages.h"

namespace velmar::editor {

const std::vector<PageEntry>& settingsPageTable()
{
    static const std::vector<PageEntry> table{
    };
    return table;
}

}  // namespace velmar::editor
