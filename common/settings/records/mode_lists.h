#pragma once

// The surround-mode lists that the presets page offers for each kind of signal, as code
// tables: the item at list position p stands for the unit's mode code of that item.

#include <span>

namespace velmar {

enum ModePresetSlot : int { kTwoChSlot, kDd20Slot, kDd51Slot, kDdExSlot, kDts51Slot, kDtsEsSlot, kModePresetSlotCount };

struct ModeListItem {
    const char* text;
    int code;
};

std::span<const ModeListItem> modeList(int slot);
// Position of the first item with this code, -1 when the list has none.
int modeListPosition(int slot, int code);
// Code of the item at this position, -1 when there is no such item.
int modeListCode(int slot, int position);
// The source record byte whose bits 0-4 hold the slot's code.
int modePresetByte(int slot);

}  // namespace velmar
