#include "unitlink/settings_reads.h"

#include <string>

#include "unitlink/loader_commands.h"
#include "unitlink/shown_progress.h"
#include "unitlink/unit_link.h"

namespace velmar::unitlink {

namespace {

constexpr uint8_t kCR = 0x0D;
constexpr uint32_t kAddressLimitMs = 65;
constexpr uint32_t kReadLimitMs = 70;
constexpr size_t kCommandBytesPerRead = 4;  // "a", the address, "D"
constexpr size_t kReadsInFlight = kLineBytesInFlight / kCommandBytesPerRead;
constexpr int kByteTries = 7;
constexpr size_t kProgressStep = 8;

}  // namespace

void SettingsReads::topUp()
{
    if (queued_.size() > kReadsInFlight - kReadsInFlight / 4)
        return;
    while (queued_.size() < kReadsInFlight && !planned_.empty()) {
        const size_t address = planned_.front();
        planned_.pop_front();
        pipeline_.expectAck(loader::withAddress('a', static_cast<uint32_t>(address)), kAddressLimitMs);
        pipeline_.expectBytes("D", 1, kReadLimitMs);
        queued_.push_back(address);
    }
}

SettingsReads::Reply SettingsReads::next()
{
    while (proven_.empty()) {
        topUp();
        const size_t address = queued_.front();
        queued_.pop_front();
        std::string reply;
        if (!pipeline_.take() || !pipeline_.take(&reply)) {
            // Reads behind the lost reply go out again, and so do those not yet shown in step.
            planned_.insert(planned_.begin(), queued_.begin(), queued_.end());
            queued_.clear();
            for (auto read = unproven_.rbegin(); read != unproven_.rend(); ++read)
                planned_.push_front(read->address);
            unproven_.clear();
            return {address, std::nullopt};
        }
        const auto value = static_cast<uint8_t>(reply[0]);
        unproven_.push_back({address, value});
        if (value != kCR || queued_.empty()) {
            proven_.insert(proven_.end(), unproven_.begin(), unproven_.end());
            unproven_.clear();
        }
    }
    const Reply reply = proven_.front();
    proven_.pop_front();
    return reply;
}

void SettingsReads::clear()
{
    pipeline_.discard();
    planned_.clear();
    queued_.clear();
    unproven_.clear();
    proven_.clear();
}

size_t UnitLink::readWholeImage(Image& image, ShownProgress& bar)
{
    SettingsReads reads(*this);
    size_t planned = 0;  // the addresses below have their reads planned or taken
    for (size_t address = 0; address < image.size(); ++address) {
        if (cancelRequested())
            return address;
        // A first read can never confirm, so each address goes out as two reads.
        for (; planned < image.size() && planned <= address + kReadsInFlight / 2; ++planned) {
            reads.read(planned);
            reads.read(planned);
        }
        int pending = 2;  // reads of this address on their way
        bool readOnce = false;
        bool confirmed = false;
        for (int tries = 0; tries < kByteTries && !confirmed; ++tries) {
            if (pending == 0) {
                // A lost reply, or reads that disagree: the address is tried again alone, one
                // read at a time, with nothing else in flight.
                reads.clear();
                planned = address + 1;
                reads.read(address);
                pending = 1;
            }
            const auto reply = reads.next();
            --pending;
            if (!reply.value) {
                pending = 0;
                continue;
            }
            // Two reads of this retrieval that agree: a byte read once may have been disturbed
            // on the line, and what the image held before proves nothing.
            confirmed = readOnce && *reply.value == image[address];
            image[address] = *reply.value;
            readOnce = true;
        }
        if (!confirmed)
            return address;
        if (address % kProgressStep == 0)
            bar.at(static_cast<int>(address));
    }
    return image.size();
}

// A byte whose read differs from the image is written (and read back) whatever a second read
// would say, so it is read once. Only a byte to be left alone must be confirmed: by two reads
// that agree with the image. The confirming read goes out next, among the reads of the
// addresses after it; a lost one is read again as often as a retrieval would. An address that
// gets no reply in all its tries means a unit that has stopped answering: every byte not yet
// confirmed is then written, and the writes meet the silence as they would have without reads.
bool UnitLink::findDifferingBytes(const Image& image, bool keepUnitAdjustments, std::array<bool, kImageSize>& differs,
                                  ShownProgress& bar)
{
    SettingsReads reads(*this);
    std::array<int, kImageSize> tries{};
    std::array<bool, kImageSize> equalOnce{};
    std::array<bool, kImageSize> answered{};
    std::array<bool, kImageSize> confirmed{};
    differs.fill(false);
    for (size_t address = kSettingsWriteFirst; address < kSettingsWriteEnd; ++address) {
        if (settingsAddressWritten(address, keepUnitAdjustments))
            reads.read(address);
    }
    while (!reads.empty()) {
        if (cancelRequested())
            return false;
        const auto reply = reads.next();
        const size_t address = reply.address;
        if (tries[address]++ == 0 && address % kProgressStep == 0)
            bar.at(programmingPosition(true, address));
        answered[address] = answered[address] || reply.value.has_value();
        if (reply.value && *reply.value != image[address]) {
            differs[address] = true;
        } else if (reply.value && equalOnce[address]) {
            confirmed[address] = true;
        } else if (tries[address] < kByteTries) {
            equalOnce[address] = equalOnce[address] || reply.value.has_value();
            reads.readNext(address);
        } else if (answered[address]) {
            differs[address] = true;  // never confirmed: written
        } else {
            for (size_t a = kSettingsWriteFirst; a < kSettingsWriteEnd; ++a)
                differs[a] = !confirmed[a];
            return true;
        }
    }
    return true;
}

}  // namespace velmar::unitlink
