#include "unitlink/identification.h"

#include <array>

#include "unitlink/texts.h"
#include "unitlink/unit_numbers.h"

namespace velmar::unitlink {

namespace {

using enum ReplyKind;

constexpr std::array kTable = {
    // text                          kind              model                     editor installer
    IdentificationRow{"QRX 2 V", Application, UnitModel::UNKNOWN, true, true},
    IdentificationRow{"QRX 20 V", Application, UnitModel::UNKNOWN, true, true},
    IdentificationRow{"QRX 20-HD v", Application, UnitModel::UNKNOWN, false, true},
    IdentificationRow{"QRX 30-HD v", Application, UnitModel::UNKNOWN, false, true},
    IdentificationRow{"QRX 40 v", Application, UnitModel::UNKNOWN, false, true},
    IdentificationRow{"QRX 50 v", Application, UnitModel::UNKNOWN, false, true},
    IdentificationRow{"Corvalent D1HD v", Application, UnitModel::UNKNOWN, false, true},
    IdentificationRow{"Corvalent D2 v", Application, UnitModel::UNKNOWN, false, true},
    IdentificationRow{"QRX 30 V", Application, UnitModel::UNKNOWN, true, true},
    IdentificationRow{"Corvalent D1 v", Application, UnitModel::UNKNOWN, true, true},
    IdentificationRow{"QRX 20 EEPROM Prog", EepromProgrammer, UnitModel::QRX_20, true, true},
    IdentificationRow{"QRX 30 EEPROM Prog", EepromProgrammer, UnitModel::QRX_30, true, true},
    IdentificationRow{"QRX 20-HD EEPROM Prog", EepromProgrammer, UnitModel::QRX_30, false, true},
    IdentificationRow{"QRX 30-HD EEPROM Prog", EepromProgrammer, UnitModel::QRX_30, false, true},
    IdentificationRow{"QRX 40 EEPROM Prog", EepromProgrammer, UnitModel::QRX_40, false, true},
    IdentificationRow{"QRX 50 EEPROM Prog", EepromProgrammer, UnitModel::QRX_50, false, true},
    IdentificationRow{"Corvalent D1HD EEPROM Prog", EepromProgrammer, UnitModel::CORVALENT_D2, false, true},
    IdentificationRow{"Corvalent D2 EEPROM Prog", EepromProgrammer, UnitModel::CORVALENT_D2, false, true},
    IdentificationRow{"Corvalent D1 EEPROM Prog", EepromProgrammer, UnitModel::CORVALENT_D1, true, true},
    IdentificationRow{"CORVALENT D1 ISP", CorvalentLoader, UnitModel::CORVALENT_D1, false, true},
    IdentificationRow{"CORVALENT D2 ISP", CorvalentLoader, UnitModel::CORVALENT_D2, false, true},
    IdentificationRow{"Invalid Command", InvalidCommand, UnitModel::UNKNOWN, true, true},
};

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

std::span<const IdentificationRow> identificationTable() { return kTable; }

const IdentificationRow* classifyReply(Variant variant, std::string_view reply)
{
    for (const auto& row : kTable) {
        const bool known = variant == Variant::Editor ? row.editor : row.installer;
        if (known && contains(reply, row.text))
            return &row;
    }
    return nullptr;
}

std::optional<UnitModel> modelFromReply(Variant variant, std::string_view reply, bool loaderBanners)
{
    if (variant == Variant::Editor) {
        constexpr std::string_view kTags[] = {"QRX 2 ", "QRX 20 ", "QRX 30 ", "Corvalent D1"};
        bool any = false;
        for (auto tag : kTags)
            any = any || contains(reply, tag);
        if (!any)
            return std::nullopt;
        if (contains(reply, "Corvalent D1 "))
            return UnitModel::CORVALENT_D1;
        if (contains(reply, "QRX 2 "))
            return UnitModel::QRX_2;
        if (!contains(reply, "QRX 30 "))
            return UnitModel::QRX_20;
        return UnitModel::QRX_30;
    }

    constexpr std::string_view kTags[] = {"QRX 2 ",  "QRX 20 ",         "QRX 20-HD ",    "QRX 30-HD ", "QRX 40 ",
                                          "QRX 50 ", "Corvalent D1HD ", "Corvalent D2 ", "QRX 30 ",    "Corvalent D1"};
    bool any = false;
    for (auto tag : kTags)
        any = any || contains(reply, tag);
    const bool d1Loader = loaderBanners && contains(reply, "CORVALENT D1");
    const bool d2Loader = loaderBanners && contains(reply, "CORVALENT D2");
    if (!any && !d1Loader && !d2Loader)
        return std::nullopt;
    if (contains(reply, "Corvalent D1 ") || d1Loader)
        return UnitModel::CORVALENT_D1;
    if (contains(reply, "QRX 2 "))
        return UnitModel::QRX_2;
    if (contains(reply, "QRX 30 ") || contains(reply, "QRX 20-HD ") || contains(reply, "QRX 30-HD "))
        return UnitModel::QRX_30;
    if (contains(reply, "QRX 40 "))
        return UnitModel::QRX_40;
    if (contains(reply, "QRX 50 "))
        return UnitModel::QRX_50;
    if (contains(reply, "Corvalent D1HD "))
        return UnitModel::CORVALENT_D2;
    if (!contains(reply, "Corvalent D2 ") && !d2Loader)
        return UnitModel::QRX_20;
    return UnitModel::CORVALENT_D2;
}

bool isAcceptedLoaderBanner(Variant variant, std::string_view banner)
{
    constexpr std::string_view kInstaller[] = {"QRX ISP",    "QRX 20 ISP",       "QRX 30 ISP",      "QRX 40 ISP",
                                               "QRX 50 ISP", "CORVALENT D1 ISP", "CORVALENT D2 ISP"};
    constexpr std::string_view kEditor[] = {"QRX ISP", "QRX 20 ISP", "QRX 30 ISP", "CORVALENT D1 ISP"};
    const std::span<const std::string_view> list = variant == Variant::Editor
                                                       ? std::span<const std::string_view>(kEditor)
                                                       : std::span<const std::string_view>(kInstaller);
    for (auto b : list) {
        if (contains(banner, b))
            return true;
    }
    return false;
}

std::optional<unsigned> ssbRateCode(uint32_t bps)
{
    constexpr uint32_t kRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    for (unsigned i = 0; i < 8; ++i) {
        if (kRates[i] == bps)
            return i;
    }
    return std::nullopt;
}

std::optional<std::string_view> foundText(Variant variant, UnitModel model)
{
    switch (model) {
    case UnitModel::QRX_2: return texts::kFoundQrx2;
    case UnitModel::QRX_20: return texts::kFoundQrx20;
    case UnitModel::QRX_30: return texts::kFoundQrx30;
    case UnitModel::CORVALENT_D1: return texts::kFoundCorvalentD1;
    case UnitModel::CORVALENT_D2:
        if (variant == Variant::Installer)
            return texts::kFoundCorvalentD2;
        return std::nullopt;
    default: return std::nullopt;
    }
}

std::optional<FirmwareReply> firmwareFromReply(std::string_view reply)
{
    struct Tag {
        std::string_view text;
        ModelKind kind;
        bool letterBeforeNumber;  // "Corvalent D1 v2.20"
    };
    constexpr std::array kTags = {
        Tag{"Corvalent D1 v", ModelKind::CorvalentD1, true},
        Tag{"30 Version", ModelKind::Qrx30, false},
        Tag{"20 Version", ModelKind::Qrx20, false},
    };
    for (const Tag& tag : kTags) {
        const size_t at = reply.find(tag.text);
        if (at == std::string_view::npos)
            continue;
        std::string_view rest = reply.substr(at);
        takeWord(rest);
        takeWord(rest);
        FirmwareReply firmware{tag.kind, 0.0, 0};
        if (tag.letterBeforeNumber) {
            const size_t letter = rest.find_first_not_of(" \t\r\n\v\f");
            if (letter == std::string_view::npos)
                return firmware;
            rest.remove_prefix(letter + 1);
        }
        if (const auto number = takeDecimal(rest)) {
            firmware.version = *number;
            firmware.suffix = rest.empty() ? char{0} : rest[0];
        }
        return firmware;
    }
    return std::nullopt;
}

std::string_view modelKindName(ModelKind kind)
{
    switch (kind) {
    case ModelKind::CorvalentD1: return "D1";
    case ModelKind::Qrx30: return "QRX30";
    case ModelKind::Qrx20: return "QRX20";
    default: return "";
    }
}

std::string_view unitModelName(UnitModel m)
{
    switch (m) {
    case UnitModel::QRX_2: return "QRX_2";
    case UnitModel::QRX_20: return "QRX_20";
    case UnitModel::QRX_30: return "QRX_30";
    case UnitModel::QRX_40: return "QRX_40";
    case UnitModel::QRX_50: return "QRX_50";
    case UnitModel::CORVALENT_D1: return "CORVALENT_D1";
    case UnitModel::CORVALENT_D2: return "CORVALENT_D2";
    default: return "UNKNOWN";
    }
}

std::string_view unitModeName(UnitMode m)
{
    switch (m) {
    case UnitMode::Loader: return "Loader";
    case UnitMode::Application: return "Application";
    case UnitMode::EepromProgrammer: return "EepromProgrammer";
    case UnitMode::DebugMonitor: return "DebugMonitor";
    default: return "NoUnit";
    }
}

}  // namespace velmar::unitlink
