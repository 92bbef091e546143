#include "settings_pages.h"

#include "displays_timeout.h"
#include "triggers_ir_rs232.h"

namespace velmar::editor {

const std::vector<PageEntry>& settingsPageTable()
{
    static const std::vector<PageEntry> table{
        {9, "triggers-ir-rs232", &makePage<CTriggersIRRS232>},
        {10, "displays-timeout", &makePage<CDisplaysTimeout>},
    };
    return table;
}

}  // namespace velmar::editor
