#include "pages/sources/source_kinds.h"

#include <algorithm>

namespace velmar::editor {

namespace {

constexpr SourceButton kSourceButtons[] = {
    {1078, "CD", 1, "CD:"},      {1079, "2-CH", 8, "2 CH:"}, {1080, "6-CH", 9, "6 CH:"}, {1081, "TAPE", 2, "TAPE:"},
    {1082, "FM/AM", 3, "FMAM:"}, {1083, "DVD", 0, "DVD:"},   {1084, "TV", 4, "TV:"},     {1085, "SAT", 5, "SAT:"},
    {1086, "VCR", 6, "VCR:"},    {1087, "AUX", 7, "AUX:"},
};

constexpr int kTwoChSource = 8;

constexpr const char* kAudioInItems[] = {"Anlg-DSP", "Anlg-Dir", "Dig", "Auto"};
constexpr int kAnalogAudioInCount = 2;

constexpr const char* kComponentVideoItems[] = {"None", "Comp 1", "Comp 2", "Comp 3", "Comp 4"};
constexpr int kShortComponentVideoCount = 3;

constexpr double kLipSyncMaxMs = 85.0;
constexpr double kWideLipSyncMaxMs = 170.0;

// The models whose units have all four component inputs and the long lip-sync delay; an
// undetected unit may be any of them.
bool hasFullComponentVideo(ModelKind model) { return model != ModelKind::Qrx20; }

bool hasLongLipSync(ModelKind model) { return model == ModelKind::CorvalentD1 || model == ModelKind::Undetected; }

}  // namespace

std::span<const SourceButton> sourceButtons() { return kSourceButtons; }

const SourceButton* sourceButtonOf(int source)
{
    const auto* found = std::find_if(std::begin(kSourceButtons), std::end(kSourceButtons),
                                     [source](const SourceButton& b) { return b.source == source; });
    return found == std::end(kSourceButtons) ? nullptr : found;
}

SetupKind setupKindOf(int source)
{
    if (source == kTunerSource)
        return SetupKind::Tuner;
    if (source == kTwoChSource || source == kSixChSource)
        return SetupKind::AnalogOnly;
    return SetupKind::DigitalCapable;
}

int presetKindOf(int source)
{
    if (source == kSixChSource)
        return kSixChannelOnly;
    if (source == kTwoChSource || source == kTunerSource)
        return kTwoChannelOnly;
    return kAllPresets;
}

std::span<const char* const> audioInItems(SetupKind kind)
{
    const std::span<const char* const> all = kAudioInItems;
    return kind == SetupKind::AnalogOnly ? all.first(kAnalogAudioInCount) : all;
}

std::span<const char* const> componentVideoItems(ModelKind model)
{
    const std::span<const char* const> all = kComponentVideoItems;
    return hasFullComponentVideo(model) ? all : all.first(kShortComponentVideoCount);
}

double lipSyncMaxMs(ModelKind model) { return hasLongLipSync(model) ? kWideLipSyncMaxMs : kLipSyncMaxMs; }

bool isNameCharacter(char32_t c) { return c >= 0x20 && c <= 0x7E; }

std::string sourceNameFrom(std::u32string_view text)
{
    std::string name;
    for (const char32_t c : text)
        if (isNameCharacter(c) && name.size() < static_cast<std::size_t>(kSourceNameLength))
            name += static_cast<char>(c);
    return name;
}

}  // namespace velmar::editor
