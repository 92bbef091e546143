#include "pages/system/triggers_ir_rs232_page.h"

#include "pages/system/set_ir_inputs_dialog.h"
#include "pages/system/set_trigger_dialog.h"
#include "ui/modal_copy.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace t = triggers_texts;

namespace {

ui::PageSpec pageLayout()
{
    return {{
        {.title = t::kTriggersGroup,
         .rows = {{ui::label(t::kAllTriggers), ui::dropList(kIdAllTriggers, ui::itemList(t::kAllTriggersItems))},
                  {ui::button(kIdSetTrigger1, t::kSetTrigger[0], 2)},
                  {ui::button(kIdSetTrigger2, t::kSetTrigger[1], 2)},
                  {ui::button(kIdSetTrigger3, t::kSetTrigger[2], 2)}},
         .row = 0,
         .column = 0,
         .rowSpan = 2},
        {.title = t::kIrGroup, .rows = {{ui::button(kIdIrInputs, t::kSetIrInputs)}}, .row = 0, .column = 1},
        {.title = t::kRs232Group,
         .rows = {{ui::label(t::kBaudRate), ui::dropList(kIdBaudRate, ui::itemList(t::kBaudRateItems))},
                  {ui::label(t::kFlowControl), ui::button(kIdFlowControl, t::kFlowControlStates[0])},
                  {ui::label(t::kTxStatus), ui::button(kIdTxStatus, t::kTxStatusStates[0])}},
         .row = 1,
         .column = 1},
    }};
}

}  // namespace

CTriggersIRRS232::CTriggersIRRS232(PageContext& context) : CSettingsPage(t::kCaption, context) {}

void CTriggersIRRS232::onCreateControls()
{
    ui::buildPage(*this, *this, pageLayout());
    const std::pair<int, std::function<void()>> commands[] = {
        {kIdFlowControl, [this] { OnFlowControl(); }}, {kIdTxStatus, [this] { OnTxStatus(); }},
        {kIdSetTrigger1, [this] { OnSetTrigger(0); }}, {kIdSetTrigger2, [this] { OnSetTrigger(1); }},
        {kIdSetTrigger3, [this] { OnSetTrigger(2); }}, {kIdIrInputs, [this] { OnSetIrInputs(); }},
    };
    for (const auto& [id, handler] : commands)
        onCommand(id, ui::Notify::Clicked, handler);
}

bool CTriggersIRRS232::onSetActive()
{
    updateData(false);
    showToggles();
    return CSettingsPage::onSetActive();
}

void CTriggersIRRS232::doDataExchange(ui::DataExchange& dx)
{
    ui::ddxCBIndex(dx, kIdAllTriggers, record_->allTriggers);
    ui::ddxCBIndex(dx, kIdBaudRate, record_->baudRate);
}

void CTriggersIRRS232::showToggles()
{
    setControlText(kIdFlowControl, t::kFlowControlStates[record_->flowControl ? 1 : 0]);
    setControlText(kIdTxStatus, t::kTxStatusStates[record_->txStatus ? 1 : 0]);
}

void CTriggersIRRS232::OnFlowControl()
{
    record_->flowControl = record_->flowControl ? 0 : 1;
    showToggles();
}

void CTriggersIRRS232::OnTxStatus()
{
    record_->txStatus = record_->txStatus ? 0 : 1;
    showToggles();
}

void CTriggersIRRS232::OnSetTrigger(int index)
{
    TriggerRecord& trigger = record_->trigger.at(static_cast<size_t>(index));
    CSetTriggerDlg dialog(this, t::kSetTriggerTitle[index]);
    dialog.SetRecord(&trigger);
    if (!ui::editModally(trigger, dialog))
        return;
    // The store takes the table at once.
    trigger.saveToStore(store());
    trigger.loadFromStore(store());
}

void CTriggersIRRS232::OnSetIrInputs()
{
    CSetIrInputsDlg dialog(this, t::kSetIrInputsTitle);
    dialog.SetRecord(&record_->irInputs);
    if (!ui::editModally(record_->irInputs, dialog))
        return;
    record_->irInputs.saveToStore(store());
    record_->irInputs.loadFromStore(store());
}

}  // namespace velmar::editor
