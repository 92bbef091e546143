#include "records/input_levels_record.h"

namespace velmar {

void InputLevelsRecord::loadFromStore(const SettingsStore& store)
{
    for (int i = 0; i < kSourceCount; ++i)
        level[i] = store.inputLevel(i);
}

void InputLevelsRecord::saveToStore(SettingsStore& store) const
{
    for (int i = 0; i < kSourceCount; ++i)
        store.setInputLevel(i, level[i]);
}

}  // namespace velmar
