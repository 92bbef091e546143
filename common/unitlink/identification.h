#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "settings/model_kind.h"
#include "unitlink/unit_types.h"

namespace velmar::unitlink {

// What a reply to "?\n" says.
enum class ReplyKind {
    Application,       // main firmware banner
    EepromProgrammer,  // "... EEPROM Prog"
    CorvalentLoader,   // "CORVALENT D1 ISP" / "CORVALENT D2 ISP" answering "?"
    InvalidCommand,    // the debug monitor
};

struct IdentificationRow {
    std::string_view text;  // searched as a substring, case-sensitive
    ReplyKind kind;
    UnitModel model;  // UNKNOWN for application rows (the model comes from the tags)
    bool editor;      // known to the editor
    bool installer;   // known to the installer
};

// The table, top to bottom; the first match decides.
std::span<const IdentificationRow> identificationTable();

// First row of the table, as the given program knows it, that the reply contains.
const IdentificationRow* classifyReply(Variant variant, std::string_view reply);

// Identify step 3: the model named by the reply's tags, or nullopt when it holds none.
// `loaderBanners` adds "CORVALENT D1"/"CORVALENT D2" as tags (Resynchronise).
std::optional<UnitModel> modelFromReply(Variant variant, std::string_view reply, bool loaderBanners = false);

// A QRX boot loader's answer to "?\n": the two bytes "??". Through a USB serial adapter that holds
// replies for its latency timer, its "?" for the wake-up LF sent before the probe can come after
// the input was drained and ahead of that answer; nothing but a loader answers with question
// marks alone, so "???" is the loader too.
inline bool isQrxLoaderReply(std::string_view reply) { return reply == "??" || reply == "???"; }

// Loader banners (reply to "S") accepted by each program.
bool isAcceptedLoaderBanner(Variant variant, std::string_view banner);

// "SSB%1u" rate codes (SetUnitBaud): bit/s -> code, nullopt for a rate without a code.
std::optional<unsigned> ssbRateCode(uint32_t bitsPerSecond);

// "QRX 30 found" etc. for DetectUnit; nullopt leaves the message as it was.
std::optional<std::string_view> foundText(Variant variant, UnitModel model);

// What a firmware version reply ("QRX 30 Version 2.20b") says: the kind its tag names, the
// number after the tag (0 when none follows) and the character right after the number (a
// suffix letter, or whatever follows; 0 at the end of the reply or without a number).
struct FirmwareReply {
    ModelKind kind;
    double version;
    char suffix;
};
// nullopt when the reply holds no version tag ("Corvalent D1 v", "30 Version", "20 Version").
std::optional<FirmwareReply> firmwareFromReply(std::string_view reply);

// ModelKind display names of ReadFirmwareVersion: "D1", "QRX30", "QRX20" ("" when undetected).
std::string_view modelKindName(ModelKind kind);

}  // namespace velmar::unitlink
