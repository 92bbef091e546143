// "9. Triggers/IR/RS-232"'s walk for a report (pages/page_walk.h): the page, the three
// trigger tables and the IR inputs, each dialog loaded as opening it would.
#include "pages/page_walk.h"
#include "pages/system/set_ir_inputs_dialog.h"
#include "pages/system/set_trigger_dialog.h"
#include "pages/system/triggers_ir_rs232_page.h"

namespace velmar::editor {

void CTriggersIRRS232::WalkControls(PageWalk& walk)
{
    namespace t = triggers_texts;
    walk.read(*this, {.skip = {kIdSetTrigger1, kIdSetTrigger2, kIdSetTrigger3, kIdIrInputs}});
    for (int index = 0; index < static_cast<int>(record_->trigger.size()); ++index) {
        CSetTriggerDlg trigger(this, t::kSetTriggerTitle[index]);
        trigger.SetRecord(&record_->trigger[static_cast<size_t>(index)]);
        readDialog(walk, indexedKey("trigger", index + 1), trigger);
    }
    CSetIrInputsDlg ir(this, t::kSetIrInputsTitle);
    ir.SetRecord(&record_->irInputs);
    readDialog(walk, QStringLiteral("ir"), ir);
}

}  // namespace velmar::editor
