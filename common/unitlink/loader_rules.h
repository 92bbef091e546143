#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "unitlink/unit_types.h"

// What the boot loader's version decides, and the flash image rules of the loader commands.
namespace velmar::unitlink {

// ---- loader versions ----

// The two characters answering "V": (first digit) x 100 + (second digit). A first character that
// is not "1" to "9" gives 0 (version unknown); a second that is not a digit counts as 0.
int loaderVersionFromReply(std::string_view reply);

// The divisor sent with "h" to reach 115200 (high) or 19200 bit/s; none below version 200.
std::optional<uint8_t> loaderBaudDivisor(int version, bool high);

// The reply to "s" (last signature byte first), searched as text: a zero byte ends it.
bool signatureAccepted(int version, std::string_view reply);

// One fuse or lock byte to bring to a value: read with `letter`, accepted when
// (value & mask) == expected; corrected by writing `value` with the lower-case letter.
struct FuseStep {
    char letter;
    uint8_t mask;
    uint8_t expected;
    uint8_t value;
};

// A reply to the step's read letter that shows the byte as wanted: exactly one byte.
bool fuseReplyMatches(const FuseStep& step, std::string_view reply);

// The fuse steps before and after the erase of the flash, by loader version.
std::span<const FuseStep> fuseStepsBeforeErase(int version);
std::span<const FuseStep> fuseStepsAfterErase(int version);

// ---- flash images ----

inline constexpr size_t kFlashWords = 65536;
inline constexpr size_t kFlashImageBytes = kFlashWords * 2;
inline constexpr size_t kFlashPageWords = 128;
inline constexpr size_t kFlashChunkWords = 16;

// Word i of an image stored low byte first.
uint16_t flashWord(std::span<const uint8_t> image, size_t index);

// Words up to and including the last one that is not 0xFFFF, rounded up to whole pages.
size_t flashWordCount(std::span<const uint8_t> image);

// The sum modulo 65536 of every byte of the flash the image leaves behind: its own bytes, blank
// ones included, and the erased (0xFF) rest of the flash after a shorter image.
uint16_t flashChecksum(std::span<const uint8_t> image);

// An image the loader can take: whole words, no more than the flash holds, at least one word
// that is not blank (a blank image would erase the unit's program and write nothing back).
bool flashImageUsable(std::span<const uint8_t> image);

// The number in a reply to "CS\n" from "Checksum:" on, read as "%9s%x"; none without it.
std::optional<uint32_t> checksumFromReply(std::string_view reply);

// ---- settings EEPROM ----

inline constexpr uint8_t kFlashedMarker = 'v';  // addresses 0 and 1 once the flash was programmed
inline constexpr uint16_t kUnitFlagsAddress = 2;
inline constexpr size_t kSettingsReadRequired = 3584;  // a retrieval must reach this address

// The addresses ProgramSettings writes: 16 to 3583 without 64 to 95, or, keeping the unit's own
// adjustments, only 16 to 63 and 513 to 2047.
bool settingsAddressWritten(size_t address, bool keepUnitAdjustments);
inline constexpr size_t kSettingsWriteFirst = 16;
inline constexpr size_t kSettingsWriteEnd = 3584;
// How many addresses that is.
size_t settingsAddressesWritten(bool keepUnitAdjustments);

// UnitFlags after a flash programming: bit 1 tells the firmware the loader's generation.
uint8_t unitFlagsAfterFlash(uint8_t flags, UnitModel model, int loaderVersion);

// Models whose marker bytes are cleared before the flash is replaced.
bool clearsMarkersBeforeFlash(UnitModel model);

}  // namespace velmar::unitlink
