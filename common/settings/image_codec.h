#pragma once

// Turns the settings image into the store and back. Every section is framed by a version
// byte and a 16-bit check word; decoders never report errors, they return false and the
// caller falls back to defaults for that block.

#include <string>

#include "settings_store.h"

namespace velmar {

// Base of each settings set's main block in the image.
enum SetBase : int {
    kUserBase = 0x200,
    kInstallerBase = 0x400,
    kCurrentBase = 0x600,
};
inline constexpr int kPresetBlockOffset = 0x1C0;
inline constexpr int kSourceBlockOffset = 0x600;

inline constexpr int kSystemCodesOffset = 0x010;
inline constexpr int kIdentOffset = 0x040;
inline constexpr int kUnitStateOffset = 0x060;
inline constexpr int kModeTableOffset = 0x140;
inline constexpr int kUnitAreaBegin = 0x060;
inline constexpr int kUnitAreaEnd = 0x200;  // exclusive
inline constexpr int kLegacySourceOffset = 0x840;
inline constexpr int kLegacyUnitStateOffset = 0x880;

inline constexpr int kNewestVersion = 13;
inline constexpr int kNewestUnitVersion = 3;
inline constexpr int kFirstCurrentLayoutVersion = 6;

inline constexpr const char* kDefaultIdentString = "01234567";

// Which blocks of a set were accepted; a refused block fell back to defaults.
struct SetDecodeReport {
    bool mainBlock = false;
    bool presets = false;
    bool sources = false;
};

bool encodeSet(SettingsStore& store, int base);
bool decodeSet(SettingsStore& store, int base, SetDecodeReport* report = nullptr);
bool encodeMainBlock(SettingsStore& store, int base);
bool decodeMainBlock(SettingsStore& store, int base);
bool encodePresets(SettingsStore& store, int offset);
bool decodePresets(SettingsStore& store, int offset);
bool encodeSources(SettingsStore& store, int offset);
bool decodeSources(SettingsStore& store, int offset);
bool encodeUnitState(SettingsStore& store);
bool decodeUnitState(SettingsStore& store);
bool encodeModeTable(SettingsStore& store);
bool decodeModeTable(SettingsStore& store);
bool encodeSystemCodes(SettingsStore& store);
bool decodeSystemCodes(SettingsStore& store);

// Reads the identification string into the store; false when its check fails (the default
// string is then substituted and written into WriteImage) or when it is the default string.
bool readIdentString(SettingsStore& store);
void writeIdentString(SettingsStore& store, const std::string& text);

void prepareStore(SettingsStore& store, bool fromImage);
void copyReadToWrite(SettingsStore& store);
void saveUnitArea(SettingsStore& store);
void restoreUnitArea(SettingsStore& store);
bool detectLegacyLayout(const SettingsStore& store);

// Runs both source-record defaults initialisers, as every fallback for a source block does.
void defaultAllSourceRecords(SettingsStore& store);

}  // namespace velmar
