// Page-wise flash programming through the boot loader, word-by-word verification and the
// checksum the main firmware reports.
#include "unitlink/loader_commands.h"
#include "unitlink/loader_pipeline.h"
#include "unitlink/loader_rules.h"
#include "unitlink/operation_note.h"
#include "unitlink/progress_sink.h"
#include "unitlink/shown_progress.h"
#include "unitlink/texts.h"
#include "unitlink/unit_link.h"

namespace velmar::unitlink {

namespace {

constexpr int kMarkerTries = 6;
constexpr int kReadTries = 3;
constexpr uint32_t kAddressLimitMs = 120;
constexpr uint32_t kReadLimitMs = 140;
// Reads kept in flight while verifying. "R" is answered with two bytes, so a loader that reads
// nothing while it sends could find more arriving than its receiver holds; if a reply goes
// missing the rest of the run keeps only as many ahead as such a receiver takes (its two bytes
// while it sends a reply).
constexpr size_t kWordsInFlight = kLineBytesInFlight / 2;
constexpr size_t kCautiousWordsInFlight = 3;

uint16_t wordOf(const std::string& reply)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(reply[0]) << 8 | static_cast<uint8_t>(reply[1]));
}

bool knownModel(UnitModel model) { return model != UnitModel::UNKNOWN; }

// Eight chunks of sixteen words make a page; each word goes high byte first.
std::string chunkCommand(std::span<const uint8_t> image, size_t firstWord)
{
    std::string command{'C', static_cast<char>(kFlashChunkWords)};
    for (size_t i = firstWord; i < firstWord + kFlashChunkWords; ++i) {
        const uint16_t word = flashWord(image, i);
        command += static_cast<char>(word >> 8);
        command += static_cast<char>(word & 0xFF);
    }
    return command;
}

}  // namespace

void UnitLink::takeUnknownModelAsQrx30()
{
    if (model_ == UnitModel::UNKNOWN)
        model_ = UnitModel::QRX_30;
}

bool UnitLink::writeMarkerByte(uint16_t address, uint8_t value)
{
    const std::string setAddress = loader::withAddress('a', address);
    for (int attempt = 0; attempt < kMarkerTries; ++attempt) {
        std::string reply;
        QueryCr(setAddress, 35);
        QueryCr(loader::withByte('d', value), 35);
        QueryCr(setAddress, 35);
        if (QueryFixed("D", 35, 1, reply) && static_cast<uint8_t>(reply[0]) == value)
            return true;
    }
    return false;
}

// Tries to leave the loader so the unit is not left waiting in it at 115200 bit/s.
bool UnitLink::flashFailurePath(std::string& message)
{
    std::string ignored;
    streaming_ = false;
    if (OpenPort(ignored)) {
        ApplyTimeouts();
        static_cast<void>(ExitLoader(ignored));  // the programming has failed whatever it answers
        ClosePort();
    }
    message = texts::kProgrammingFailed;
    return false;
}

bool UnitLink::ProgramFlash(std::string& message, ProgressSink& progress, std::span<const uint8_t> image,
                            FlashImageKind kind)
{
    OperationNote op(*this, kind == FlashImageKind::Main ? "ProgramFlash main" : "ProgramFlash EEPROM loader");
    // An image the flash cannot take is refused before anything in the unit is touched.
    if (!flashImageUsable(image)) {
        message = texts::kProgrammingFailed;
        ClosePort();
        return false;
    }
    const size_t words = flashWordCount(image);
    if (!QueryCr("P", 100)) {
        message = texts::kLoaderNotRespondingInstaller;
        ClosePort();
        return false;
    }
    std::string signature;
    if (!QueryFixed("s", 80, 3, signature) || !signatureAccepted(loaderVersion_, signature)) {
        message = texts::kInvalidSignature;
        ClosePort();
        return false;
    }
    auto fuses = [&](std::span<const FuseStep> steps) {
        for (const FuseStep& step : steps) {
            if (!applyFuse(step))
                return false;
        }
        return true;
    };
    if (!fuses(fuseStepsBeforeErase(loaderVersion_))) {
        message = texts::kCannotSetFuse;
        ClosePort();
        return false;
    }
    QueryCr("e", 100);
    QueryCr("P", 100);
    if (!fuses(fuseStepsAfterErase(loaderVersion_))) {
        message = texts::kCannotSetFuse;
        ClosePort();
        return false;
    }
    // Cleared before the first page and set after the last, so an interrupted programming
    // leaves 0x00 there.
    if (clearsMarkersBeforeFlash(model_)) {
        for (uint16_t address : {uint16_t{0}, uint16_t{1}}) {
            QueryCr(loader::withAddress('a', address), 35);
            QueryCr(loader::withByte('d', 0), 35);
        }
    }

    ShownProgress bar(progress, static_cast<int>(words));
    message = texts::kProgrammingFlash;
    streaming_ = true;
    ApplyTimeouts();
    for (size_t page = 0; page < words / kFlashPageWords; ++page) {
        const size_t base = page * kFlashPageWords;
        if (!QueryCr(loader::withAddress('a', 0), 100))
            return flashFailurePath(message);
        for (size_t chunk = 0; chunk < kFlashPageWords; chunk += kFlashChunkWords) {
            if (!QueryCr(chunkCommand(image, base + chunk), 200))
                return flashFailurePath(message);
            bar.at(static_cast<int>(base + chunk + kFlashChunkWords));
        }
        if (!QueryCr(loader::withAddress('m', static_cast<uint32_t>(base)), 200))
            return flashFailurePath(message);
    }
    streaming_ = false;
    ApplyTimeouts();

    if (knownModel(model_)) {
        // A marker that does not take leaves the unit believing its flash incomplete: that is
        // a failed programming, not a success.
        if (!writeMarkerByte(0, kFlashedMarker) || !writeMarkerByte(1, kFlashedMarker))
            return flashFailurePath(message);
        unitFlags_ = unitFlagsAfterFlash(unitFlags_, model_, loaderVersion_);
        if (!writeMarkerByte(kUnitFlagsAddress, unitFlags_))
            return flashFailurePath(message);
    }

    QueryCr("y", 35);
    if (!leaveLoaderWithRecovery(message, kind == FlashImageKind::EepromLoader))
        return flashFailurePath(message);

    Delay(1000);
    if (!VerifyFlashChecksum(message, image))
        return flashFailurePath(message);
    if (kind == FlashImageKind::Main) {
        setClockAfterTransfer(100);
        message = texts::kFlashDoneVerifying;
    } else {
        message = texts::kFlashDone;
    }
    ClosePort();
    return true;
}

bool UnitLink::VerifyFlashChecksum(std::string& message, std::span<const uint8_t> image)
{
    OperationNote op(*this, "VerifyFlashChecksum");
    if (loaderVersion_ == 0 && !(EnterLoader(message) && ExitLoader(message)))
        return false;
    std::string reply;
    QueryLine("CS\n", 3000, 64, reply);
    const auto sum = checksumFromReply(reply);
    if (!sum) {
        message = texts::kCannotReadChecksum;
        ClosePort();
        return false;
    }
    if ((*sum & 0xFFFF) != flashChecksum(image)) {
        message = texts::kChecksumNotCorrect;
        ClosePort();
        return false;
    }
    message = texts::kChecksumVerified;
    return true;
}

bool UnitLink::VerifyFlash(std::string& message, ProgressSink& progress, std::span<const uint8_t> image)
{
    OperationNote op(*this, "VerifyFlash");
    if (loaderVersion_ == 0) {
        if (!EnterLoader(message))
            return false;
        if (!ExitLoader(message)) {
            message = texts::kCodeFailedToBoot;
            return false;
        }
    }
    const size_t words = flashWordCount(image);
    if (!EnterLoader(message) || !SwitchLoaderBaud(message, true))
        return false;
    if (!enterProgrammingMode(message, true))
        return false;

    ShownProgress bar(progress, static_cast<int>(words));
    streaming_ = true;
    ApplyTimeouts();
    bool matched = QueryCr(loader::withAddress('a', 0), kAddressLimitMs);
    {
        LoaderPipeline pipeline(*this);
        size_t window = kWordsInFlight;
        size_t requested = 0;  // words whose read has been sent
        for (size_t i = 0; i < words && matched; ++i) {
            auto readWord = [&] {
                std::string reply;
                if (!pipeline.take(&reply)) {
                    window = kCautiousWordsInFlight;
                    return false;
                }
                return wordOf(reply) == flashWord(image, i);
            };
            // Topped up a few at a time, not one write a word.
            if (requested - i <= window - window / 4) {
                while (requested < words && requested < i + window) {
                    pipeline.expectBytes("R", 2, kReadLimitMs);
                    ++requested;
                }
            }
            bool same = readWord();
            for (int read = 1; !same && read <= kReadTries; ++read) {
                // After a miss the address is set again; the reads sent ahead have moved the
                // unit's address past this word anyway.
                pipeline.discard();
                pipeline.expectAck(loader::withAddress('a', static_cast<uint32_t>(i)), kAddressLimitMs);
                pipeline.take();
                requested = i + 1;
                if (read < kReadTries) {
                    pipeline.expectBytes("R", 2, kReadLimitMs);
                    same = readWord();
                }
            }
            if (!same) {
                message = texts::kVerifyWordFailed;
                bar.hide();
                matched = false;
            } else if (i % kFlashPageWords == 0) {
                bar.at(static_cast<int>(i + 1));
            }
        }
    }
    streaming_ = false;
    if (!port_.isOpen())
        reopen();
    ApplyTimeouts();
    QueryCr("y", 35);

    const bool ok = ExitLoader(message) && matched;
    if (ok) {
        setClockAfterTransfer(200);
        message = texts::kVerifiedOk;
    } else {
        message = texts::kVerifyFailed;
    }
    ClosePort();
    return ok;
}

}  // namespace velmar::unitlink
