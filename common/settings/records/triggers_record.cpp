#include "records/triggers_record.h"

namespace velmar {

void IrInputsRecord::loadFromStore(const SettingsStore& store)
{
    for (int receiver = 0; receiver < kIrInputCount; ++receiver)
        for (int zone = 0; zone < kIrZoneCount; ++zone)
            flag[zone * kIrInputCount + receiver] = (store.irInputs(receiver) >> zone) & 1;
}

void IrInputsRecord::saveToStore(SettingsStore& store) const
{
    for (int receiver = 0; receiver < kIrInputCount; ++receiver) {
        int mask = 0;
        for (int zone = 0; zone < kIrZoneCount; ++zone)
            mask |= (flag[zone * kIrInputCount + receiver] & 1) << zone;
        store.setIrInputs(receiver, mask);
    }
}

void TriggerRecord::loadFromStore(const SettingsStore& store)
{
    for (int column = 0; column < kTriggerColumnCount; ++column)
        for (int row = 0; row < kTriggerRowCount; ++row)
            flag[column * kTriggerRowCount + row] = (store.triggerMask(number, column) >> row) & 1;
}

void TriggerRecord::saveToStore(SettingsStore& store) const
{
    for (int column = 0; column < kTriggerColumnCount; ++column) {
        int mask = 0;
        for (int row = 0; row < kTriggerRowCount; ++row)
            mask |= (flag[column * kTriggerRowCount + row] & 1) << row;
        store.setTriggerMask(number, column, mask);
    }
}

void TriggersRecord::loadFromStore(const SettingsStore& store)
{
    baudRate = store.rs232BaudChoice();
    txStatus = store.rs232TxStatus();
    flowControl = store.flowControl();
    allTriggers = store.allTriggers();
    irInputs.loadFromStore(store);
    for (auto& t : trigger)
        t.loadFromStore(store);
}

void TriggersRecord::saveToStore(SettingsStore& store) const
{
    store.setRs232BaudChoice(baudRate);
    store.setRs232TxStatus(txStatus);
    store.setFlowControl(flowControl);
    store.setAllTriggers(allTriggers);
    irInputs.saveToStore(store);
    for (const auto& t : trigger)
        t.saveToStore(store);
}

}  // namespace velmar
