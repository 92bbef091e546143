// Readers and writers of the display group, whose layout depends on the model.
#include <algorithm>
#include <iterator>

#include "bits.h"
#include "settings_store.h"

namespace velmar {

namespace {

// "OS Info" choices as zone masks; choice 1 is the zone's own bit and is handled apart.
constexpr int kOsInfoMask[] = {31, -1, 9, 13, 25, 29};
constexpr int kOsInfoChoiceOther = 5;

int zoneBit(int zone) { return 1 << zone; }

int osInfoMaskOf(int zone, int choice)
{
    choice = std::clamp(choice, 0, kOsInfoChoiceOther);
    return choice == 1 ? zoneBit(zone) : kOsInfoMask[choice];
}

// Main keeps its OS position and colour in the high pair of bits, Zone 2 in the low pair.
int pairShift(int zone) { return zone == 0 ? 4 : 0; }

}  // namespace

int SettingsStore::functionTimeout() const { return bits::get(set_.displayOptions[0], 0, 4); }
void SettingsStore::setFunctionTimeout(int seconds) { bits::put(set_.displayOptions[0], 0, 4, seconds); }

int SettingsStore::onScreen(int zone) const
{
    const auto b = set_.displayOptions[1];
    return bits::get(b, zone, 1) | (bits::get(b, zone + 4, 1) << 1);
}
void SettingsStore::setOnScreen(int zone, int value)
{
    bits::put(set_.displayOptions[1], zone, 1, value & 1);
    bits::put(set_.displayOptions[1], zone + 4, 1, (value >> 1) & 1);
}

int SettingsStore::osPosition(int zone) const { return bits::get(set_.displayOptions[2], pairShift(zone), 2); }
void SettingsStore::setOsPosition(int zone, int position)
{
    bits::put(set_.displayOptions[2], pairShift(zone), 2, position);
}
int SettingsStore::osColor(int zone) const { return bits::get(set_.displayOptions[3], pairShift(zone), 2); }
void SettingsStore::setOsColor(int zone, int color) { bits::put(set_.displayOptions[3], pairShift(zone), 2, color); }

int SettingsStore::osInfo(int zone) const
{
    const int mask = set_.displayOptions[4 + zone];
    if (mask == zoneBit(zone))
        return 1;
    const auto* found = std::find(std::begin(kOsInfoMask), std::end(kOsInfoMask), mask);
    return found == std::end(kOsInfoMask) ? kOsInfoChoiceOther : static_cast<int>(found - std::begin(kOsInfoMask));
}
void SettingsStore::setOsInfo(int zone, int choice)
{
    set_.displayOptions[4 + zone] = static_cast<std::uint8_t>(osInfoMaskOf(zone, choice));
}
bool SettingsStore::osInfoIsChoice(int zone) const { return osInfoMaskOf(zone, osInfo(zone)) == osInfoMask(zone); }

int SettingsStore::osInfoMask(int zone) const { return set_.displayOptions[4 + zone]; }
void SettingsStore::setOsInfoMask(int zone, int mask)
{
    set_.displayOptions[4 + zone] = static_cast<std::uint8_t>(mask & 0x1F);
}

int SettingsStore::frontPanelWakeUp() const
{
    return bits::get(set_.displayOptions[6], isCorvalentLayout() ? 2 : 3, 2);
}
void SettingsStore::setFrontPanelWakeUp(int choice)
{
    bits::put(set_.displayOptions[6], isCorvalentLayout() ? 2 : 3, 2, choice);
}
int SettingsStore::displayUnitValue() const
{
    return bits::get(set_.displayOptions[6], 0, isCorvalentLayout() ? 2 : 3);
}
void SettingsStore::setDisplayUnitValue(int value)
{
    bits::put(set_.displayOptions[6], 0, isCorvalentLayout() ? 2 : 3, value);
}

int SettingsStore::brightness(int entry) const { return set_.displayTail[entry]; }
void SettingsStore::setBrightness(int entry, int level)
{
    auto& tail = set_.displayTail;
    tail[entry] = static_cast<std::uint8_t>(level & 0x3F);
    // Keep High >= Medium >= Low: the entry just written wins, its neighbours follow it.
    // A second visit carries a raised Low up through Medium to High.
    for (int pass = 0; pass < 2; ++pass) {
        for (int first = 0; first < kDisplayTailCount - 1; ++first) {
            const int second = first + 1;
            if (tail[first] >= tail[second])
                continue;
            if (first < entry)
                tail[first] = tail[second];
            else
                tail[second] = tail[first];
        }
    }
}

}  // namespace velmar
