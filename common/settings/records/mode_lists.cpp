#include "records/mode_lists.h"

#include <algorithm>
#include <array>

namespace velmar {

namespace {

constexpr ModeListItem kTwoCh[] = {
    {"Stereo", 0},         {"VelmarLogic-Music", 1}, {"VelmarLogic-Cinema", 2}, {"PLIIx Music", 3},
    {"PLIIx Movie", 4},    {"PLIIx Movie+THX", 5},   {"PLIIx Matrix", 6},       {"PLIIx Game", 7},
    {"THX Games Mode", 8}, {"Pro Logic", 9},         {"Pro Logic+THX", 10},     {"Neo:6 Music", 11},
    {"Neo:6 Cinema", 12},  {"Neo:6 Cinema+THX", 13}, {"All Ch Stereo", 14},     {"All Ch Mono", 15},
    {"Mono", 16},          {"Mono-Academy", 17},     {"Last Used", 18},
};
constexpr ModeListItem kDd20[] = {
    {"Stereo", 0},
    {"VelmarLogic-Music", 1},
    {"VelmarLogic-Cinema", 2},
    {"PLIIx Music", 3},
    {"PLIIx Movie", 4},
    {"PLIIx Movie+THX", 5},
    {"PLIIx Matrix", 6},
    {"PLIIx Game", 7},
    {"THX Games Mode", 8},
    {"Pro Logic", 9},
    {"Pro Logic+THX", 10},
    {"Neo:6 Cinema", 12},
    {"Neo:6 Cinema+THX", 13},
    {"Same as 2.0", 19},
    {"Last Used", 18},
};
constexpr ModeListItem kDd51[] = {
    {"None", 0},          {"PLIIx Movie", 1},     {"PLIIx Movie+THX", 2}, {"PLIIx Music", 3},
    {"Dolby D EX", 4},    {"THX Surround EX", 5}, {"THX Cinema", 6},      {"THX Ultra2 Cinema", 7},
    {"THX MusicMode", 8}, {"THX Games Mode", 9},  {"Neo:6", 10},          {"Neo:6+THX", 11},
    {"Last Used", 16},
};
constexpr ModeListItem kDdEx[] = {
    {"None", 0},        {"PLIIx Movie", 1}, {"PLIIx Movie+THX", 2},
    {"PLIIx Music", 3}, {"Dolby D EX", 4},  {"THX Surround EX", 5},
    {"Neo:6", 10},      {"Neo:6+THX", 11},  {"Same as DD-5.1", 17},
    {"Last Used", 16},
};
constexpr ModeListItem kDts51[] = {
    {"None", 0},           {"Neo:6", 10},     {"Neo:6+THX", 11}, {"PLIIx Movie", 1},       {"PLIIx Movie+THX", 2},
    {"PLIIx Music", 3},    {"Dolby D EX", 4}, {"THX Cinema", 6}, {"THX Ultra2 Cinema", 7}, {"THX MusicMode", 8},
    {"THX Games Mode", 9}, {"Last Used", 16},
};
constexpr ModeListItem kDtsEs[] = {
    {"None", 0},        {"DTS-ES Matrix", 12}, {"DTS-ES Matrix+THX", 13}, {"PLIIx Movie", 1}, {"PLIIx Movie+THX", 2},
    {"PLIIx Music", 3}, {"Dolby D EX", 4},     {"Same as DTS", 18},       {"Last Used", 16},
};

constexpr std::array<std::span<const ModeListItem>, kModePresetSlotCount> kLists = {
    kTwoCh, kDd20, kDd51, kDdEx, kDts51, kDtsEs,
};
constexpr int kPresetByte[kModePresetSlotCount] = {6, 7, 8, 10, 9, 11};

bool validSlot(int slot) { return slot >= 0 && slot < kModePresetSlotCount; }

}  // namespace

std::span<const ModeListItem> modeList(int slot)
{
    return validSlot(slot) ? kLists[slot] : std::span<const ModeListItem>{};
}

int modeListPosition(int slot, int code)
{
    const auto list = modeList(slot);
    const auto found = std::find_if(list.begin(), list.end(), [code](const ModeListItem& i) { return i.code == code; });
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

int modeListCode(int slot, int position)
{
    const auto list = modeList(slot);
    if (position < 0 || position >= static_cast<int>(list.size()))
        return -1;
    return list[position].code;
}

int modePresetByte(int slot) { return kPresetByte[slot]; }

}  // namespace velmar
