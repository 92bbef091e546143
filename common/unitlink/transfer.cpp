// The settings EEPROM between the unit and the store's images.
#include "unitlink/loader_commands.h"
#include "unitlink/loader_rules.h"
#include "unitlink/operation_note.h"
#include "unitlink/progress_sink.h"
#include "unitlink/settings_reads.h"
#include "unitlink/shown_progress.h"
#include "unitlink/texts.h"
#include "unitlink/unit_link.h"

namespace velmar::unitlink {

namespace {

constexpr int kByteTries = 7;
constexpr int kRecoveries = 4;
constexpr int kProgressStep = 8;
constexpr uint32_t kAddressLimitMs = 65;
constexpr uint32_t kReadLimitMs = 70;

std::string installerText(std::string_view suffix)
{
    return std::string(texts::kInstallerModelName) + std::string(suffix);
}

}  // namespace

// Leaving the loader after a transfer, with the recovery the unit needs when its first exit
// fails: only a recovery within the first three counts.
bool UnitLink::leaveLoaderWithRecovery(std::string& message, bool returnToNormalRate)
{
    if (ExitLoader(message, returnToNormalRate))
        return true;
    for (int attempt = 1; attempt <= kRecoveries; ++attempt) {
        if (variant_ == Variant::Installer)
            Delay(2000);
        else
            static_cast<void>(DetectUnit(message));  // the loader entry that follows decides
        if (EnterLoader(message) && ExitLoader(message, returnToNormalRate) && attempt < kRecoveries)
            return true;
    }
    return false;
}

void UnitLink::setClockAfterTransfer(uint32_t delayMs)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        Delay(delayMs);
        if (SetUnitClock())
            return;
    }
}

bool UnitLink::leaveAfterTransfer(bool complete, UnitMode startMode, const std::string& failed, std::string& message)
{
    const bool toNormal = startMode == UnitMode::EepromProgrammer;
    if (!complete && !settingsCancelled_) {
        static_cast<void>(ExitLoader(message, toNormal));  // the transfer has failed whatever it answers
        message = failed;
        ClosePort();
        return false;
    }
    if (!leaveLoaderWithRecovery(message, toNormal)) {
        settingsCancelled_ = false;  // a unit left in its loader is the failure to report
        message = failed;
        ClosePort();
        return false;
    }
    if (mode_ != UnitMode::EepromProgrammer)
        setClockAfterTransfer(100);
    if (settingsCancelled_) {
        message = failed;
        ClosePort();
        return false;
    }
    return true;
}

// One try at a settings byte: set the address, write, set the address again and read back,
// each command only once the previous one was acknowledged. A loader may acknowledge "d" as
// soon as its EEPROM write starts and then hold only a byte or two while it waits for the write
// on its next EEPROM access: bytes sent ahead would be lost or taken as commands (the address
// bytes include the letters of the write, erase and fuse commands).
bool UnitLink::programSettingsByte(size_t address, uint8_t value)
{
    const std::string setAddress = loader::withAddress('a', static_cast<uint32_t>(address));
    std::string reply(1, static_cast<char>(~value));
    return QueryCr(setAddress, kAddressLimitMs) && QueryCr(loader::withByte('d', value), kAddressLimitMs) &&
           QueryCr(setAddress, kAddressLimitMs) && QueryFixed("D", kReadLimitMs, 1, reply) &&
           static_cast<uint8_t>(reply[0]) == value;
}

bool UnitLink::cancelRequested()
{
    if (cancelCheck_ && cancelCheck_())
        settingsCancelled_ = true;
    return settingsCancelled_;
}

bool UnitLink::RetrieveSettings(Image& readImage, std::string& message, ProgressSink& progress)
{
    OperationNote op(*this, "RetrieveSettings");
    const UnitMode startMode = mode_;
    settingsCancelled_ = false;
    if (!EnterLoader(message) || !SwitchLoaderBaud(message, true))
        return false;
    if (!enterProgrammingMode(message, true))
        return false;

    ShownProgress bar(progress, static_cast<int>(kSettingsReadRequired));
    SetStreamingReads(true);
    const size_t reached = readWholeImage(readImage, bar);
    QueryCr("y", 35);
    SetStreamingReads(false);

    const std::string failed = variant_ == Variant::Installer ? installerText(texts::kRetrievalFailedSuffix)
                                                              : std::string(texts::kRetrievalFailedEditor);
    if (!leaveAfterTransfer(reached >= kSettingsReadRequired, startMode, failed, message))
        return false;
    if (variant_ == Variant::Editor)
        message = texts::kRetrievalOkEditor;
    ClosePort();
    return true;
}

bool UnitLink::ProgramSettings(const Image& writeImage, std::string& message, ProgressSink& progress,
                               bool keepUnitAdjustments, SettingsWrite write)
{
    OperationNote op(*this, keepUnitAdjustments ? "ProgramSettings keeping adjustments" : "ProgramSettings");
    const UnitMode startMode = mode_;
    settingsCancelled_ = false;
    settingsBytesWritten_ = 0;
    if (!EnterLoader(message) || !SwitchLoaderBaud(message, true))
        return false;
    if (!enterProgrammingMode(message, true))
        return false;

    ShownProgress bar(progress, static_cast<int>(kSettingsReadRequired));
    SetStreamingReads(true);
    const bool everyByte = write == SettingsWrite::EveryByte;
    std::array<bool, kImageSize> differs{};
    if (everyByte)
        differs.fill(true);
    bool complete = everyByte || findDifferingBytes(writeImage, keepUnitAdjustments, differs, bar);
    for (size_t address = kSettingsWriteFirst; address < kSettingsWriteEnd && complete; ++address) {
        if (!settingsAddressWritten(address, keepUnitAdjustments))
            continue;
        if (address % kProgressStep == 0)
            bar.at(everyByte ? static_cast<int>(address) : programmingPosition(false, address));
        if (!differs[address])
            continue;
        // Nothing is outstanding between bytes, so the loader is left as after the last one.
        if (cancelRequested())
            break;
        bool written = false;
        for (int attempt = 0; attempt < kByteTries && !written; ++attempt)
            written = programSettingsByte(address, writeImage[address]);
        complete = written;
        settingsBytesWritten_ += written ? 1 : 0;
    }
    QueryCr("y", 35);
    SetStreamingReads(false);

    const std::string failed = variant_ == Variant::Installer ? installerText(texts::kProgrammingSettingsFailedSuffix)
                                                              : std::string(texts::kProgrammingSettingsFailedEditor);
    if (!leaveAfterTransfer(complete, startMode, failed, message))
        return false;
    message = variant_ == Variant::Installer ? installerText(texts::kProgrammedSettingsOkSuffix)
                                             : std::string(texts::kProgrammedSettingsOkEditor);
    ClosePort();
    return true;
}

}  // namespace velmar::unitlink
