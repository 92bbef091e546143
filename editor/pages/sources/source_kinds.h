#pragma once

// What the per-source pages offer for a source: its button, the kind of input it is and the
// lists and ranges that kind and the unit's model allow. No widgets here.

#include <span>
#include <string>
#include <string_view>

#include "settings/model_kind.h"

namespace velmar::editor {

inline constexpr int kTunerSource = 3;
inline constexpr int kSixChSource = 9;

// One source button of "5. Setup/Presets" and "6. Adjust Input Levels", in the order the
// buttons stand: control id, caption, the unit source it stands for, page 6's level label.
struct SourceButton {
    int id;
    const char* caption;
    int source;
    const char* levelLabel;
};
std::span<const SourceButton> sourceButtons();
// The button of a unit source; nullptr when there is none.
const SourceButton* sourceButtonOf(int source);

// What the Setup page shows for a source.
enum class SetupKind { DigitalCapable, AnalogOnly, Tuner };
SetupKind setupKindOf(int source);

// What the Presets page shows for a source; flags that combine.
enum PresetKind : int {
    kAllPresets = 1,
    kTwoChannelOnly = 2,
    kSixChannelOnly = 4,
};
int presetKindOf(int source);

// "Audio In:" items the kind offers, in list order (a list index is the stored type).
std::span<const char* const> audioInItems(SetupKind kind);
// "Component Video:" items the model offers. While no unit has been detected every item is
// offered: a file may come from any model.
std::span<const char* const> componentVideoItems(ModelKind model);
// Highest lip-sync delay in ms; the widest range while no unit has been detected.
double lipSyncMaxMs(ModelKind model);

// Source names: at most six characters, each one the unit's display can show (printable
// ASCII, one byte each, so the store's byte copy never cuts one in half).
inline constexpr int kSourceNameLength = 6;
bool isNameCharacter(char32_t c);
// A typed name as the store keeps it: its name characters, at most six of them.
std::string sourceNameFrom(std::u32string_view text);

}  // namespace velmar::editor
