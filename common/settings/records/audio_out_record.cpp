#include "records/audio_out_record.h"

#include <algorithm>
#include <iterator>

namespace velmar {

namespace {

// "Digital 2" list position → stored code (source + 1); the tuner has no digital output.
constexpr int kDigital2Code[] = {0, 1, 2, 3, 5, 6, 7, 8};
constexpr int kDigital2Count = static_cast<int>(std::size(kDigital2Code));
constexpr int kFirstDigitalType = 2;
constexpr int kTunerCode = 4;
constexpr int kNoPosition = -1;

// The tuner's code shows as "Digital 1", as the unit takes it; a code past the list has no item.
int digital2Position(int code)
{
    if (code == kTunerCode)
        return 0;
    const auto* found = std::find(std::begin(kDigital2Code), std::end(kDigital2Code), code);
    return found == std::end(kDigital2Code) ? kNoPosition : static_cast<int>(found - std::begin(kDigital2Code));
}

}  // namespace

void AudioOutRecord::loadFromStore(const SettingsStore& store)
{
    reverseSurRear = store.sixChannelReverseSurRear();
    copySurToRear = store.copySurroundToRear();
    fs6ch = store.sixChannelFs();
    fs2ch = store.twoChannelFs();
    dig1Is16Bit = store.digital1Is16Bit();
    digital2Code = store.digital2Source();
    digital2 = digital2Position(digital2Code);
    balOutZone2 = store.balancedOut();
}

void AudioOutRecord::saveToStore(SettingsStore& store)
{
    const bool kept = digital2 < 0 || digital2 >= kDigital2Count;
    if (!kept) {
        const int code = kDigital2Code[digital2];
        if (code == 0 || store.audioInType(code - 1) < kFirstDigitalType)
            digital2 = 0;
    }
    store.setSixChannelReverseSurRear(reverseSurRear);
    store.setCopySurroundToRear(copySurToRear);
    store.setSixChannelFs(fs6ch);
    store.setTwoChannelFs(fs2ch);
    store.setDigital1Is16Bit(dig1Is16Bit);
    if (kept)
        store.setDigital2Code(digital2Code);
    else
        store.setDigital2Source(kDigital2Code[digital2]);
    store.setBalancedOut(balOutZone2);
}

}  // namespace velmar
