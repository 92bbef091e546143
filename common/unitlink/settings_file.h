#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "settings/image.h"

namespace velmar {

// A settings file is the settings image as Motorola S-records, one per line.

inline constexpr std::string_view kSettingsSavedText = "Unit Settings Saved OK.";
inline constexpr std::string_view kSettingsFileOpenErrorText = "Cannot open Corvalent D1 settings file";
inline constexpr std::string_view kSettingsFileChecksumErrorText = "Checksum error reading Corvalent D1 settings file";
inline constexpr std::string_view kSettingsFileNoRecordsText = "No settings records in Corvalent D1 settings file";

// Longest token the reader takes as a record; a longer record is refused rather than split.
inline constexpr std::size_t kMaxSettingsTokenLength = 255;

// Far more than any settings file holds (about 12 KB), so that reading a wrong file is bounded.
inline constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;

// A file without a single character but spaces: the editor keeps the image it holds, as it
// always has; a tool that would pass the image on refuses it.
enum class EmptyFile { Keep, Refuse };

// The file's text for an image: S1 records of 16 bytes over the two ranges the unit uses.
std::string formatSettingsRecords(const Image& image);

// Applies the records of a settings file's text to the image. Each record is checked whole
// before any of its bytes is stored, and reading stops at the first bad one, so the image then
// holds the records before it and must not be decoded as valid. Text without a single data
// record is not a settings file and leaves the image as it was.
[[nodiscard]] bool parseSettingsRecords(std::istream& in, Image& image, std::string& message,
                                        EmptyFile empty = EmptyFile::Keep);

// Replaces the file at path as a whole: on failure any earlier file there is left as it was.
// A failure's message is the system's text, the path and the reason.
[[nodiscard]] bool writeSettingsFile(const std::string& path, const Image& image, std::string& message);

// Whether writeSettingsFile could replace the file at path now, leaving it untouched; a refusal
// gives the message writeSettingsFile would.
[[nodiscard]] bool checkSettingsFileWritable(const std::string& path, std::string& message);

// Reads only a regular file of at most kMaxSettingsFileBytes; on an open failure the image is
// unchanged; otherwise as parseSettingsRecords. A failure's message names the file.
[[nodiscard]] bool readSettingsFile(const std::string& path, Image& image, std::string& message,
                                    EmptyFile empty = EmptyFile::Keep);

// "TEXT: PATH" or "TEXT: PATH: REASON": a file operation's message for people.
std::string fileMessage(std::string_view text, const std::string& path, std::string_view reason = {});

}  // namespace velmar
