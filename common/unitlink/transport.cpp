// Serial port transport and the five request/response primitives.
#include "platform/trace.h"
#include "unitlink/texts.h"
#include "unitlink/unit_link.h"

namespace velmar::unitlink {

namespace {
constexpr uint8_t kCR = 0x0D;
constexpr uint8_t kLF = 0x0A;
constexpr int kAttempts = 4;
}  // namespace

UnitLink::UnitLink(Variant variant, platform::SerialPort& port, platform::Clock& clock)
    : variant_(variant), port_(port), clock_(clock)
{
    resetState();
    localTime_ = [] { return platform::localTimeNow(); };
}

std::string_view UnitLink::communicationErrorText() const
{
    return variant_ == Variant::Installer ? texts::kCommErrorInstaller : texts::kCommErrorEditor;
}

std::string_view UnitLink::noUnitText() const
{
    return variant_ == Variant::Installer ? texts::kNoUnitInstaller : texts::kNoUnitEditor;
}

void UnitLink::note(std::string_view text)
{
    if (trace_)
        trace_->note(text);
}

void UnitLink::resetState()
{
    portName_ = "COM1";
    baudIndex_ = 0;
    streaming_ = false;
    portNumber_ = 1;
    mode_ = UnitMode::NoUnit;
    model_ = UnitModel::UNKNOWN;
    appBaudIndex_ = -1;
    loaderVersion_ = 0;
    hardwareCheck_ = 3;
    unitFlags_ = 0x0C;
    firmwareVersion_ = 0.0;
    firmwareSuffix_ = 0;
    lastIdentification_.clear();
}

void UnitLink::reset()
{
    ClosePort();
    resetState();
}

bool UnitLink::OpenPort(std::string& message)
{
    port_.close();
    // A failed purge reopens the port from inside ApplyTimeouts; never nest that more than once.
    if (reopenDepth_ > 1) {
        message = communicationErrorText();
        return false;
    }
    ++reopenDepth_;
    bool ok = port_.open(portName_);
    uint32_t current = 0;
    const int index = (baudIndex_ >= 0 && baudIndex_ < 8) ? baudIndex_ : 0;
    ok = ok && port_.getRate(current) && port_.setRate(BaudTable[static_cast<size_t>(index)]);
    ok = ok && ApplyTimeouts();
    --reopenDepth_;
    if (!ok) {
        message = communicationErrorText();
        port_.close();
        return false;
    }
    return true;
}

bool UnitLink::reopen()
{
    std::string ignored;
    return OpenPort(ignored);
}

bool UnitLink::ensureOpen() { return port_.isOpen() || reopen(); }

bool UnitLink::ApplyTimeouts()
{
    platform::Timeouts current;
    if (!port_.getTimeouts(current)) {
        ClosePort();
        return false;
    }
    if (!port_.purge() && !reopen())
        return false;
    if (!port_.setTimeouts(streaming_ ? platform::Timeouts::Streaming : platform::Timeouts::Normal)) {
        ClosePort();
        return false;
    }
    return true;
}

void UnitLink::SetStreamingReads(bool on)
{
    if (!port_.purge() && !reopen())
        return;
    if (!port_.setTimeouts(on ? platform::Timeouts::Streaming : platform::Timeouts::Normal))
        reopen();
}

void UnitLink::ClosePort() { port_.close(); }

void UnitLink::DiscardUnitOutput()
{
    for (int read = 0; read < 1001; ++read)
        if (readOnce(64).empty())
            return;
}

void UnitLink::Delay(uint32_t ms) { clock_.delay(ms); }

bool UnitLink::writeBytes(std::string_view data)
{
    if (!ensureOpen())
        return false;
    const int r = port_.write(reinterpret_cast<const uint8_t*>(data.data()), data.size());
    return r == static_cast<int>(data.size());
}

int UnitLink::readBytes(uint8_t* buffer, size_t n)
{
    if (!port_.isOpen())
        return -1;
    const int r = port_.read(buffer, n);
    if (r < 0)
        port_.close();  // the port failed (vanished): the next operation reopens it
    return r;
}

int UnitLink::readWithin(uint8_t* buffer, size_t n, uint32_t startMs, uint32_t limitMs)
{
    platform::Timeouts set = platform::Timeouts::Normal;
    if (!port_.isOpen() || !port_.getTimeouts(set) || set != platform::Timeouts::Streaming)
        return readBytes(buffer, n);
    // A streaming read returns at once: block in the port until a byte or the limit instead of
    // spinning on the clock. Waiting first spares the read that would find nothing yet on every
    // reply, and the read follows the first byte at once.
    const uint32_t elapsed = elapsedSince(startMs);
    const int w = port_.waitForInput(elapsed >= limitMs ? 0 : limitMs - elapsed);
    if (w == 0)
        return 0;
    const int r = readBytes(buffer, n);
    if (w < 0 && r <= 0) {
        port_.close();
        return -1;
    }
    return r;  // a port that hung up still gives what it had buffered first
}

std::string UnitLink::readOnce(size_t max)
{
    std::string out(max, '\0');
    const int r = readBytes(reinterpret_cast<uint8_t*>(out.data()), max);
    out.resize(r > 0 ? static_cast<size_t>(r) : 0);
    return out;
}

void UnitLink::DrainInput()
{
    if (!port_.purge() && !reopen())
        return;
    int discarded = 0;
    uint8_t byte = 0;
    while (readBytes(&byte, 1) == 1) {
        if (++discarded > 1024)
            return;
        if (discarded % 128 == 0 && !reopen())
            return;
    }
}

bool UnitLink::SendLine(std::string_view command)
{
    writeBytes("\n");
    Delay(5);
    DrainInput();
    return writeBytes(command);
}

bool UnitLink::QueryFixed(std::string_view command, uint32_t limitMs, size_t n, std::string& reply)
{
    DrainInput();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        writeBytes(command);
        if (collectReply(reply, n, limitMs, false))
            break;
    }
    return reply.size() == n;
}

bool UnitLink::QueryCr(std::string_view command, uint32_t limitMs)
{
    DrainInput();
    int last = 0;
    uint8_t byte = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        writeBytes(command);
        const uint32_t start = clock_.nowMs();
        do {
            last = readWithin(&byte, 1, start, limitMs);
            if (last < 0 || (last == 1 && byte == kCR))
                break;
        } while (elapsedSince(start) < limitMs);
        if (last == 1 && byte == kCR)
            break;
    }
    return last == 1;
}

bool UnitLink::SendExpectCr(std::string_view command)
{
    DrainInput();
    uint8_t byte = 0;
    for (int write = 1; write <= 3; ++write) {
        writeBytes(command);
        const int r = readBytes(&byte, 1);
        if (write < 3 && r == 1 && byte == kCR)
            return true;
    }
    ClosePort();
    return false;
}

bool UnitLink::QueryLine(std::string_view command, uint32_t limitMs, size_t n, std::string& reply)
{
    writeBytes("\n");
    Delay(queryLineDelayMs());
    DrainInput();
    bool done = false;
    for (int attempt = 0; attempt < kAttempts && !done; ++attempt) {
        writeBytes(command);
        done = collectReply(reply, n, limitMs, true);
    }
    return done;
}

bool UnitLink::collectReply(std::string& reply, size_t n, uint32_t limitMs, bool untilLineFeed)
{
    reply.clear();
    std::string scratch(n, '\0');
    auto done = [&] {
        return reply.size() >= n || (untilLineFeed && !reply.empty() && static_cast<uint8_t>(reply.back()) == kLF);
    };
    const uint32_t start = clock_.nowMs();
    do {
        const int r = readWithin(reinterpret_cast<uint8_t*>(scratch.data()), n - reply.size(), start, limitMs);
        if (r < 0)
            break;
        reply.append(scratch.data(), static_cast<size_t>(r));
    } while (!done() && elapsedSince(start) < limitMs);
    return done();
}

int UnitLink::CommandAck(std::string_view command, uint32_t limitMs)
{
    writeBytes("\n");
    Delay(commandAckDelayMs());
    uint8_t byte = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        DrainInput();
        writeBytes(command);
        const uint32_t start = clock_.nowMs();
        int count = 0;
        bool lf = false;
        do {
            const int r = readWithin(&byte, 1, start, limitMs);
            if (r < 0)
                break;
            if (r == 1) {
                ++count;
                if (byte == kLF) {
                    lf = true;
                    break;
                }
            }
        } while (elapsedSince(start) < limitMs);
        if (lf && count == 1)
            return 1;
    }
    return 0;
}

}  // namespace velmar::unitlink
