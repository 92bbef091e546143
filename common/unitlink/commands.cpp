// Debug monitor entry and exit, zone power, the unit's clock and rate, firmware version.
#include <cstdio>

#include "unitlink/identification.h"
#include "unitlink/operation_note.h"
#include "unitlink/texts.h"
#include "unitlink/unit_link.h"
#include "unitlink/unit_numbers.h"

namespace velmar::unitlink {

namespace {

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

constexpr std::string_view kDebugEntry = "D8056.3\n";  // the debug-entry line, 8 bytes
constexpr uint32_t kPowerOnPollCapMs = 120'000;        // see PowerOnMainZone

}  // namespace

bool UnitLink::EnterDebugMode(std::string& message)
{
    OperationNote op(*this, "EnterDebugMode");
    if (variant_ == Variant::Installer) {
        for (int pass = 0; pass < 3; ++pass) {
            if (!Resynchronise(baudIndex_))
                continue;
            switch (mode_) {
            case UnitMode::Loader: SendExpectCr("X"); break;
            case UnitMode::Application:
            case UnitMode::EepromProgrammer: CommandAck(kDebugEntry, 2000); break;
            case UnitMode::DebugMonitor: return true;
            default: break;
            }
        }
        message = texts::kFailedEnterDebug;
        return false;
    }

    // Editor.
    for (int pass = 0; pass < 2; ++pass) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            CommandAck(kDebugEntry, 2000);
            std::string reply;
            QueryLine("?\n", 500, 64, reply);
            if (reply.empty())
                continue;
            if (isQrxLoaderReply(reply)) {
                SendExpectCr("X");
                ensureOpen();
                Delay(2000);
                continue;
            }
            if (contains(reply, "Invalid Command") && !contains(reply, "QRX 2 V") && !contains(reply, "QRX 20 V") &&
                !contains(reply, "Corvalent D1 v"))
                return true;
        }
        if (BaudTable[static_cast<size_t>(baudIndex_ & 7)] != 19200) {
            baudIndex_ = 0;
            reopen();
        }
    }
    message = texts::kFailedEnterDebug;
    return false;
}

bool UnitLink::ExitDebugMode(std::string& message)
{
    OperationNote op(*this, "ExitDebugMode");
    for (int pass = 0; pass < 3; ++pass) {
        if (Resynchronise(baudIndex_)) {
            switch (mode_) {
            case UnitMode::Loader:
                SendExpectCr("X");
                Delay(1000);
                break;
            case UnitMode::Application:
            case UnitMode::EepromProgrammer: return true;
            case UnitMode::DebugMonitor:
                CommandAck("dx\n", 500);
                Delay(2000);
                if (appBaudIndex_ >= 0)
                    baudIndex_ = appBaudIndex_;
                break;
            default: break;
            }
        } else if (!CommandAck("@0\n", 900)) {
            CommandAck("d0\n", 900);
        }
    }
    message = texts::kFailedExitDebug;
    ClosePort();
    return false;
}

bool UnitLink::PowerOffAllZones()
{
    OperationNote op(*this, "PowerOffAllZones");
    static constexpr std::string_view kOff[] = {"P1P0\n", "P2P0\n", "P3P0\n"};
    static constexpr std::string_view kQuery[] = {"P1P?\n", "P2P?\n", "P3P?\n"};
    static constexpr std::string_view kOnText[] = {"P1P1", "P2P1", "P3P1"};
    static constexpr std::string_view kOffText[] = {"P1P0", "P2P0", "P3P0"};
    for (auto off : kOff)
        CommandAck(off, 100);
    const int passes = variant_ == Variant::Installer ? 4 : 3;
    const size_t replyLength = variant_ == Variant::Installer ? 7 : 5;
    for (int pass = 0; pass < passes; ++pass) {
        int counted = 0;
        for (size_t zone = 0; zone < 3; ++zone) {
            std::string reply;
            QueryLine(kQuery[zone], 200, replyLength, reply);
            if (contains(reply, kOnText[zone]))
                CommandAck(kOff[zone], 50);
            else if (contains(reply, kOffText[zone]))
                ++counted;
        }
        if (counted == 3)
            return true;
    }
    return false;
}

bool UnitLink::PowerOnMainZone()
{
    OperationNote op(*this, "PowerOnMainZone");
    if (!Resynchronise(baudIndex_))
        return false;
    if (mode_ == UnitMode::DebugMonitor) {
        std::string ignored;
        if (!ExitDebugMode(ignored))
            return false;
    }
    CommandAck("SST0\n", 2000);
    std::string reply;
    QueryLine("P1P?\n", 200, 5, reply);
    if (!contains(reply, "P1P1")) {
        CommandAck("P1P1\n", 200);
        CommandAck("P1S4\n", 400);
        CommandAck("P1M1\n", 200);
        Delay(4000);
    } else {
        CommandAck("P1M1\n", 200);
        CommandAck("P1S4\n", 400);
    }
    uint32_t start = clock_.nowMs();
    const uint32_t firstPoll = start;
    bool on = false;
    for (;;) {
        QueryLine("P1P?\n", 200, 5, reply);
        on = contains(reply, "P1P1");
        if (on)
            break;
        if (contains(reply, "P1P0")) {
            CommandAck("P1P1\n", 200);
            Delay(4000);
            CommandAck("P1S4\n", 400);
            CommandAck("P1M1\n", 200);
            if (elapsedSince(start) > 20'000)
                start = clock_.nowMs() - 10'000;
        }
        if (elapsedSince(start) >= 30'000)
            break;
        // Moving the start back never lets a zone that keeps reporting "P1P0" reach the 30 s
        // end; an absolute cap keeps the operation finite on a unit that will not power up.
        if (elapsedSince(firstPoll) >= kPowerOnPollCapMs)
            break;
    }
    return on;
}

bool UnitLink::SetUnitClock()
{
    OperationNote op(*this, "SetUnitClock");
    std::string reply;
    QueryLine("STF?\n", 4000, 5, reply);
    if (!contains(reply, "STF"))
        return false;
    const std::tm now = localTime_();
    char day[16];
    std::snprintf(day, sizeof day, "STD%d\n", now.tm_wday + 1);
    char time[32];
    const bool twentyFour = reply.size() >= 4 && reply[3] == '1';
    if (twentyFour) {
        std::snprintf(time, sizeof time, "STC%02d:%02d\n", now.tm_hour, now.tm_min);
    } else {
        // The unit reads "AM"/"PM" whatever the PC's locale calls them.
        const int hour = now.tm_hour % 12 == 0 ? 12 : now.tm_hour % 12;
        std::snprintf(time, sizeof time, "STC%02d:%02d%s\n", hour, now.tm_min, now.tm_hour < 12 ? "AM" : "PM");
    }
    const bool dayOk = CommandAck(day, 500) == 1;
    const bool timeOk = CommandAck(time, 500) == 1;
    return dayOk && timeOk;
}

bool UnitLink::SetUnitBaud()
{
    OperationNote op(*this, "SetUnitBaud");
    ensureOpen();
    const uint32_t target = BaudTable[static_cast<size_t>(baudIndex_ & 7)];
    uint32_t current = 0;
    if (!port_.getRate(current)) {
        ClosePort();
        return false;
    }
    if (current != target) {
        const auto code = ssbRateCode(target);
        char command[16];
        std::snprintf(command, sizeof command, "SSB%1u\n", code.value_or(4));
        Delay(500);
        SendLine(command);
        Delay(500);
        readOnce(64);
        port_.flush();
        port_.setRate(target);
        readOnce(64);
        Delay(500);
    }
    std::string reply;
    for (int attempt = 0; attempt < 3; ++attempt) {
        QueryLine("?\n", 500, 64, reply);
        if (reply.empty() || contains(reply, "Invalid"))
            continue;
        if (contains(reply, "QRX 20") || contains(reply, "QRX 30") || contains(reply, "QRX 40") ||
            contains(reply, "QRX 50") || contains(reply, "Corvalent D"))
            return true;
        ClosePort();
        return false;
    }
    if (!reply.empty())
        return true;
    ClosePort();
    return false;
}

bool UnitLink::parseFirmwareVersion(const std::string& reply, ModelKind& kind, double& version, char& suffix)
{
    const auto firmware = firmwareFromReply(reply);
    if (!firmware)
        return false;
    kind = firmware->kind;
    version = firmware->version;
    suffix = firmware->suffix;
    return true;
}

void UnitLink::ReadFirmwareVersion(ModelKind& kind)
{
    OperationNote op(*this, "ReadFirmwareVersion");
    firmwareVersion_ = 0.0;
    firmwareSuffix_ = 0;
    kind = ModelKind::Undetected;
    std::string reply;
    QueryLine("?\n", 500, 64, reply);
    double version = 0.0;
    char suffix = 0;
    if (parseFirmwareVersion(reply, kind, version, suffix)) {
        firmwareVersion_ = version;
        firmwareSuffix_ = suffix;
    }
}

double UnitLink::ReadFirmwareVersionNumber(ModelKind& kind)
{
    OperationNote op(*this, "ReadFirmwareVersionNumber");
    std::string reply;
    QueryLine("?\n", 500, 64, reply);
    double version = 0.0;
    char suffix = 0;
    parseFirmwareVersion(reply, kind, version, suffix);
    return version;
}

std::string UnitLink::firmwareVersionText(ModelKind kind, double version, char suffix)
{
    std::string text = std::string(modelKindName(kind)) + " Firmware Version: " + fixedTwoDecimals(version);
    if (suffix > 0x20 && suffix < 0x7F)
        text += suffix;
    return text;
}

}  // namespace velmar::unitlink
