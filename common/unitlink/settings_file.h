#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "settings/image.h"

namespace velmar {

// A settings file is the settings image as Motorola S-records, one per line.

inline constexpr std::string_view kSettingsSavedText = "Unit Settings Saved OK.";
inline constexpr std::string_view kSettingsFileOpenErrorText =
    "Cannot open Corvalent D1 settings file";
inline constexpr std::string_view kSettingsFileChecksumErrorText =
    "Checksum error reading Corvalent D1 settings file";

// Longest token the reader takes as a record; a longer record is refused rather than split.
inline constexpr std::size_t kMaxSettingsTokenLength = 255;

// The file's text for an image: S1 records of 16 bytes over the two ranges the unit uses.
std::string formatSettingsRecords(const Image& image);

// Applies the records of a settings file's text to the image. Each record is checked whole
// before any of its bytes is stored, and reading stops at the first bad one, so the image then
// holds the records before it and must not be decoded as valid.
bool parseSettingsRecords(std::istream& in, Image& image, std::string& message);

// Replaces the file at path as a whole: on failure any earlier file there is left as it was.
bool writeSettingsFile(const std::string& path, const Image& image, std::string& message);

// On an open failure the image is unchanged; otherwise as parseSettingsRecords.
bool readSettingsFile(const std::string& path, Image& image, std::string& message);

}  // namespace velmar
