// Identification, the port-and-rate scan and re-synchronisation.
#include "platform/trace.h"
#include "unitlink/identification.h"
#include "unitlink/operation_note.h"
#include "unitlink/texts.h"
#include "unitlink/unit_link.h"

namespace velmar::unitlink {

namespace {

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

constexpr std::string_view kProbe = "?\n";

}  // namespace

bool UnitLink::adoptReply(const IdentificationRow& row)
{
    switch (row.kind) {
    case ReplyKind::Application:
        mode_ = UnitMode::Application;
        if (appBaudIndex_ < 0)
            appBaudIndex_ = baudIndex_;
        return true;
    case ReplyKind::EepromProgrammer:
    case ReplyKind::CorvalentLoader:
        mode_ = row.kind == ReplyKind::CorvalentLoader ? UnitMode::Loader : UnitMode::EepromProgrammer;
        model_ = row.model;
        return true;
    case ReplyKind::InvalidCommand: break;
    }
    return false;
}

void UnitLink::noteMainsVoltage(std::string_view reply)
{
    if (contains(reply, "240V"))
        unitFlags_ |= 0x01;
    else
        unitFlags_ &= static_cast<uint8_t>(~0x01);
}

bool UnitLink::applyRateForIdentify(std::string& message)
{
    ensureOpen();
    uint32_t current = 0;
    if (!port_.getRate(current)) {
        message = communicationErrorText();
        return false;
    }
    port_.flush();
    if (!port_.setRate(BaudTable[static_cast<size_t>(baudIndex_)])) {
        message = texts::kFailedToSwitchRate;
        return false;
    }
    return true;
}

bool UnitLink::Identify(std::string& message)
{
    OperationNote op(*this, "Identify at " + std::to_string(BaudTable[static_cast<size_t>(baudIndex_ & 7)]));
    if (!applyRateForIdentify(message))
        return false;

    std::string reply;
    bool ended = false;
    for (int pass = 0; pass < 3 && !ended; ++pass) {
        SendLine(kProbe);
        Delay(500);
        reply = readOnce(64);
        if (reply.size() > 5) {
            const IdentificationRow* row = classifyReply(variant_, reply);
            if (!row)
                continue;
            if (row->kind == ReplyKind::InvalidCommand) {
                CommandAck("dx\n", 500);
                Delay(2000);
                if (!CommandAck("@0\n", 900))
                    CommandAck("d0\n", 900);
                if (variant_ == Variant::Installer)
                    mode_ = UnitMode::NoUnit;
                continue;
            }
            ended = adoptReply(*row);
            if (row->kind == ReplyKind::CorvalentLoader) {
                SendExpectCr("X");
                Delay(1000);
                ensureOpen();
            }
        } else if (isQrxLoaderReply(reply)) {
            SendExpectCr("X");
            Delay(1000);
            mode_ = UnitMode::Loader;
            ensureOpen();
        }
    }
    if (!ended)
        return false;
    const auto model = modelFromReply(variant_, reply);
    if (!model)
        return false;
    model_ = *model;
    if (variant_ == Variant::Installer)
        noteMainsVoltage(reply);
    lastIdentification_ = reply;
    return true;
}

bool UnitLink::DetectUnit(std::string& message)
{
    OperationNote op(*this, "DetectUnit");
    if (mode_ == UnitMode::NoUnit)
        portNumber_ = 1;
    for (; portNumber_ <= maxPortNumber(); ++portNumber_) {
        baudIndex_ = 0;
        if (mode_ == UnitMode::NoUnit)
            portName_ = "COM" + std::to_string(portNumber_);
        if (!OpenPort(message))
            continue;
        if (!ApplyTimeouts() && !OpenPort(message))
            continue;
        for (;;) {
            if (scanObserver_)
                scanObserver_(portName_, BaudTable[static_cast<size_t>(baudIndex_ & 7)]);
            if (Identify(message))
                break;
            if (mode_ != UnitMode::Loader)
                ++baudIndex_;
            else if (baudIndex_ != 0)
                baudIndex_ = 0;
            else
                break;
            if (baudIndex_ > 7)
                break;
        }
        ClosePort();
        if (baudIndex_ < 8) {
            if (auto text = foundText(variant_, model_))
                message = *text;
            return true;
        }
    }
    // Nothing found anywhere: forget the last unit so the next scan starts at port 1 again,
    // and keep the baud index valid for the next OpenPort.
    baudIndex_ = 0;
    mode_ = UnitMode::NoUnit;
    message = noUnitText();
    return false;
}

bool UnitLink::Resynchronise(int baudIndex)
{
    OperationNote op(*this, "Resynchronise");
    baudIndex_ = baudIndex & 7;
    ensureOpen();
    streaming_ = false;
    const int first = baudIndex_;
    int index = first;
    do {
        baudIndex_ = index;
        uint32_t current = 0;
        if (!port_.getRate(current))
            return false;
        port_.flush();
        if (!port_.setRate(BaudTable[static_cast<size_t>(index)]))
            return false;

        std::string reply;
        int invalid = 0;
        bool ended = false;
        for (int probe = 0; probe < 3 && !ended; ++probe) {
            SendLine(kProbe);
            Delay(100);
            reply = readOnce(64);
            if (reply.size() <= 5) {
                if (isQrxLoaderReply(reply)) {
                    writeBytes("S");
                    Delay(24);
                    reply = readOnce(24);
                    if (contains(reply, "ISP")) {
                        mode_ = UnitMode::Loader;
                        ended = true;
                    }
                }
                continue;
            }
            const IdentificationRow* row = classifyReply(variant_, reply);
            if (!row)
                continue;
            if (row->kind == ReplyKind::InvalidCommand)
                ++invalid;
            else
                ended = adoptReply(*row);
        }
        if (!reply.empty()) {
            if (ended) {
                if (const auto model = modelFromReply(variant_, reply, true)) {
                    model_ = *model;
                    noteMainsVoltage(reply);
                    return true;
                }
            }
            if (invalid == 3) {
                mode_ = UnitMode::DebugMonitor;
                return true;
            }
        }
        index = (index + 1) & 7;
    } while (index != first);
    return false;
}

}  // namespace velmar::unitlink
