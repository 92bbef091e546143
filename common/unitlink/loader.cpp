// Into and out of the boot loader, its rate, and the fuse bytes.
#include "unitlink/identification.h"
#include "unitlink/loader_rules.h"
#include "unitlink/operation_note.h"
#include "unitlink/texts.h"
#include "unitlink/unit_link.h"

namespace velmar::unitlink {

namespace {

constexpr int kTries = 3;
constexpr uint32_t kBannerWaitMs = 24;
constexpr size_t kBannerBytes = 24;

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

std::string_view UnitLink::loaderNotRespondingText(bool highSpeed) const
{
    if (variant_ == Variant::Installer)
        return highSpeed ? texts::kLoaderNotRespondingHighInstaller : texts::kLoaderNotRespondingInstaller;
    return highSpeed ? texts::kLoaderNotRespondingHighEditor : texts::kLoaderNotRespondingEditor;
}

bool UnitLink::readLoaderVersion()
{
    std::string reply;
    QueryFixed("V", 50, 2, reply);
    // A reply that names no version leaves the one already known.
    if (const int version = loaderVersionFromReply(reply); version != 0)
        loaderVersion_ = version;
    return loaderVersion_ != 0;
}

bool UnitLink::setPortRate(int baudIndex, std::string& message)
{
    ensureOpen();
    uint32_t current = 0;
    if (!port_.getRate(current)) {
        message = communicationErrorText();
        ClosePort();
        return false;
    }
    baudIndex_ = baudIndex;
    port_.flush();
    if (!port_.setRate(BaudTable[static_cast<size_t>(baudIndex_)])) {
        message = texts::kFailedToSwitchRate;
        ClosePort();
        return false;
    }
    return true;
}

// "S" and its banner: the one sign that the loader listens at the PC's current rate.
bool UnitLink::probeLoaderBanner(bool anyModel)
{
    DrainInput();
    writeBytes("S");
    Delay(kBannerWaitMs);
    const std::string banner = readOnce(kBannerBytes);
    lastIdentification_ = banner;
    return anyModel ? contains(banner, "ISP") : isAcceptedLoaderBanner(variant_, banner);
}

bool UnitLink::SwitchLoaderBaud(std::string& message, bool highSpeed)
{
    OperationNote op(*this, highSpeed ? "SwitchLoaderBaud 115200" : "SwitchLoaderBaud 19200");
    const int target = highSpeed ? kBaudIndexLoaderHighSpeed : kBaudIndexNormal;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (const auto divisor = loaderBaudDivisor(loaderVersion_, highSpeed))
            SendExpectCr(std::string{'h', static_cast<char>(*divisor)});
        if (!setPortRate(target, message))
            return false;
        if (!port_.setTimeouts(platform::Timeouts::Normal) && !OpenPort(message))
            return false;
        if (probeLoaderBanner(false)) {
            message = texts::kLoaderBaudChanged;
            mode_ = UnitMode::Loader;
            return true;
        }
        if (lastIdentification_.empty() && !setPortRate(target, message))
            return false;
    }
    message = loaderNotRespondingText(highSpeed);
    ClosePort();
    return false;
}

bool UnitLink::EnterLoader(std::string& message)
{
    OperationNote op(*this, "EnterLoader");
    const bool entered = variant_ == Variant::Installer ? enterLoaderInstaller(message) : enterLoaderEditor(message);
    if (!entered) {
        mode_ = UnitMode::NoUnit;
        message = loaderNotRespondingText(false);
        ClosePort();
    }
    return entered;
}

bool UnitLink::enterLoaderInstaller(std::string& message)
{
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (!Resynchronise(baudIndex_))
            continue;
        switch (mode_) {
        case UnitMode::Loader:
            if (loaderVersion_ == 0)
                readLoaderVersion();
            DrainInput();
            if (baudIndex_ == kBaudIndexNormal || SwitchLoaderBaud(message, false))
                return true;
            break;
        case UnitMode::Application:
        case UnitMode::EepromProgrammer:
            SendLine("Z\n");
            Delay(600);
            baudIndex_ = kBaudIndexNormal;
            break;
        case UnitMode::DebugMonitor:
            CommandAck("dlaf00\n", 50);
            baudIndex_ = kBaudIndexNormal;
            break;
        default: break;
        }
    }
    return false;
}

bool UnitLink::enterLoaderEditor(std::string& message)
{
    static_cast<void>(OpenPort(message));  // the tries below find out whether anything answers
    const int noted = baudIndex_;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        bool switched = true;
        switch (mode_) {
        case UnitMode::Loader:
            if (loaderVersion_ == 0)
                readLoaderVersion();
            switched = SwitchLoaderBaud(message, false);
            break;
        case UnitMode::Application:
        case UnitMode::EepromProgrammer:
            SendLine("Z\n");
            Delay(600);
            break;
        default: switched = setPortRate(kBaudIndexNormal, message); break;
        }
        if (!switched || !setPortRate(kBaudIndexNormal, message))
            return false;

        bool banner = false;
        for (int probe = 0; probe < kTries && !banner; ++probe) {
            banner = probeLoaderBanner(false);
            std::string ignored;
            if (!banner && lastIdentification_.empty() && EnterDebugMode(ignored))
                CommandAck("dlaf00\n", 50);
        }
        if (contains(lastIdentification_, "ISP")) {
            if (model_ == UnitModel::UNKNOWN)
                model_ = modelFromReply(variant_, lastIdentification_).value_or(UnitModel::UNKNOWN);
            // On every entry: the loader may have been replaced since the last one.
            readLoaderVersion();
            mode_ = UnitMode::Loader;
            return true;
        }
        if (mode_ == UnitMode::Application) {
            if (!setPortRate(appBaudIndex_ >= 0 ? appBaudIndex_ : noted, message))
                return false;
        } else if (mode_ == UnitMode::EepromProgrammer) {
            if (!setPortRate(noted, message))
                return false;
        } else {
            return false;
        }
    }
    return false;
}

bool UnitLink::ExitLoader(std::string& message, bool returnToNormalRate)
{
    OperationNote op(*this, "ExitLoader");
    const bool left = variant_ == Variant::Installer ? exitLoaderInstaller(returnToNormalRate)
                                                     : exitLoaderEditor(message, returnToNormalRate);
    if (!left) {
        mode_ = UnitMode::NoUnit;
        message = texts::kLoaderFailedToExit;
    }
    return left;
}

bool UnitLink::exitLoaderInstaller(bool returnToNormalRate)
{
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (!Resynchronise(baudIndex_))
            continue;
        switch (mode_) {
        case UnitMode::Loader:
            QueryCr("y", 35);
            SendExpectCr("X");
            Delay(1000);
            DrainInput();
            baudIndex_ = returnToNormalRate || appBaudIndex_ < 0 ? kBaudIndexNormal : appBaudIndex_;
            break;  // the next try confirms what started
        case UnitMode::Application:
        case UnitMode::EepromProgrammer: return true;
        case UnitMode::DebugMonitor:
            CommandAck("dx\n", 500);
            Delay(1000);
            if (appBaudIndex_ >= 0)
                baudIndex_ = appBaudIndex_;
            break;
        default: break;
        }
    }
    return false;
}

bool UnitLink::exitLoaderEditor(std::string& message, bool returnToNormalRate)
{
    QueryCr("y", 35);
    if (!SwitchLoaderBaud(message, false)) {
        model_ = UnitModel::UNKNOWN;
        return false;
    }
    // "X" again, reopening the port (at the rate it had) if SendExpectCr closed it.
    auto startAgain = [&] {
        const int index = baudIndex_;
        SendExpectCr("X");
        if (!port_.isOpen()) {
            std::string ignored;
            setPortRate(index, ignored);
        }
        DrainInput();
    };
    for (int attempt = 0; attempt < kTries; ++attempt) {
        SendExpectCr("X");
        Delay(2000);
        const bool normal = returnToNormalRate || appBaudIndex_ < 0 || attempt > 0;
        std::string ignored;
        setPortRate(normal ? kBaudIndexNormal : appBaudIndex_, ignored);
        port_.setTimeouts(platform::Timeouts::Normal);
        DrainInput();
        for (int query = 0; query < kTries; ++query) {
            if (query > 0)
                Delay(2000);
            std::string reply;
            QueryLine("?\n", 500, 64, reply);
            if (reply.empty()) {
                reopen();
                startAgain();
                continue;
            }
            if (reply.size() == 2) {
                startAgain();
                continue;
            }
            if (reply.size() < 6 || !(contains(reply, "QRX") || contains(reply, "Corvalent D1")))
                continue;
            const IdentificationRow* row = classifyReply(variant_, reply);
            if (!row || row->kind == ReplyKind::CorvalentLoader || row->kind == ReplyKind::InvalidCommand)
                continue;
            if (row->kind == ReplyKind::Application) {
                mode_ = UnitMode::Application;
                model_ = modelFromReply(variant_, reply).value_or(model_);
            } else {
                mode_ = UnitMode::EepromProgrammer;
                model_ = row->model;
            }
            DrainInput();
            return true;
        }
        setPortRate(kBaudIndexNormal, ignored);
    }
    model_ = UnitModel::UNKNOWN;
    return false;
}

bool UnitLink::EnterLoaderFast(std::string& message) { return EnterLoader(message) && SwitchLoaderBaud(message, true); }

bool UnitLink::ConnectForTransfer(std::string& message)
{
    OperationNote op(*this, "ConnectForTransfer");
    if (!DetectUnit(message) || mode_ == UnitMode::NoUnit)
        return false;
    return OpenPort(message) && EnterLoader(message) && SwitchLoaderBaud(message, true);
}

bool UnitLink::applyFuse(const FuseStep& step)
{
    const std::string read(1, step.letter);
    auto matches = [&](const std::string& reply) { return fuseReplyMatches(step, reply); };
    std::string reply;
    QueryFixed(read, 20, 1, reply);
    if (matches(reply))
        return true;
    const std::string write{static_cast<char>(step.letter + 32), static_cast<char>(step.value)};
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        if (!QueryCr(write, 100) || !QueryFixed(read, 20, 1, reply))
            return false;
        // Only a byte that took within two writes is trusted to hold.
        if (matches(reply))
            return attempt < kTries;
    }
    return false;
}

bool UnitLink::WriteFuse(char letter, uint8_t value)
{
    OperationNote op(*this, std::string("WriteFuse ") + letter);
    const bool ok = applyFuse(FuseStep{letter, 0xFF, value, value});
    if (!ok)
        ClosePort();
    return ok;
}

// "x" (when asked) and "P" put the loader into programming mode; "s" must name a known processor.
bool UnitLink::enterProgrammingMode(std::string& message, bool withX)
{
    if (withX)
        QueryCr("x", 35);
    QueryCr("P", 100);
    std::string signature;
    if (!QueryFixed("s", 80, 3, signature) || !signatureAccepted(loaderVersion_, signature)) {
        message = texts::kInvalidSignature;
        ClosePort();
        return false;
    }
    return true;
}

}  // namespace velmar::unitlink
