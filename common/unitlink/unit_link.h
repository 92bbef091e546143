#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/serial_port.h"
#include "settings/image.h"
#include "settings/model_kind.h"
#include "unitlink/data_eeprom_layout.h"
#include "unitlink/unit_types.h"

namespace velmar {
class ProgressSink;
}

namespace velmar::platform {
class TraceLog;
}

namespace velmar::unitlink {

struct IdentificationRow;
struct FuseStep;
class LoaderPipeline;
class ShownProgress;

// Which bytes ProgramSettings writes: those whose confirmed value in the unit differs from the
// image (a byte whose read never confirms counts as differing), or every one of its addresses.
enum class SettingsWrite { OnlyDiffering, EveryByte };

// The unit link: one serial port and what answered on it. The editor's
// and the installer's behaviour are options of this one implementation (Variant).
// Operations return success and write the system's user-facing
// text into the message the caller passes. No exceptions, no locking: one thread at a time.
class UnitLink {
public:
    UnitLink(Variant variant, platform::SerialPort& port, platform::Clock& clock);

    // ---- transport (transport.cpp) ----
    [[nodiscard]] bool OpenPort(std::string& message);
    bool ApplyTimeouts();
    void SetStreamingReads(bool on);
    void ClosePort();
    // Closes the port and forgets what answered, as a freshly made link.
    void reset();
    void DrainInput();
    // Reads and drops 64-byte blocks until one comes back empty (at most 1001 reads): what a
    // chatty debug monitor has queued up.
    void DiscardUnitOutput();
    void Delay(uint32_t ms);
    bool SendLine(std::string_view command);
    // Reads a reply of exactly n bytes into `reply` (what arrived, even on failure).
    bool QueryFixed(std::string_view command, uint32_t limitMs, size_t n, std::string& reply);
    bool QueryCr(std::string_view command, uint32_t limitMs);
    bool SendExpectCr(std::string_view command);
    // Reads a reply line of at most n bytes into `reply` (the last attempt's text, even on failure).
    bool QueryLine(std::string_view command, uint32_t limitMs, size_t n, std::string& reply);
    int CommandAck(std::string_view command, uint32_t limitMs);

    // ---- protocol and detection (protocol.cpp, commands.cpp) ----
    [[nodiscard]] bool Identify(std::string& message);
    [[nodiscard]] bool DetectUnit(std::string& message);
    [[nodiscard]] bool Resynchronise(int baudIndex);          // installer
    [[nodiscard]] bool EnterDebugMode(std::string& message);  // both forms, by variant
    [[nodiscard]] bool ExitDebugMode(std::string& message);   // installer
    [[nodiscard]] bool PowerOffAllZones();
    [[nodiscard]] bool PowerOnMainZone();  // installer
    [[nodiscard]] bool SetUnitClock();
    [[nodiscard]] bool SetUnitBaud();  // installer; target = BaudTable[baudIndex]
    // Editor, first form: clears and then sets `kind` (hand it to the store's setModelKind) and
    // keeps the version number and suffix for firmwareVersionText().
    void ReadFirmwareVersion(ModelKind& kind);
    // Second form: sets `kind` when recognised (without clearing it) and returns the version only.
    [[nodiscard]] double ReadFirmwareVersionNumber(ModelKind& kind);

    // ---- boot loader (loader.cpp) ----
    // Both forms, by variant; the unit ends in its loader at 19200 bit/s.
    [[nodiscard]] bool EnterLoader(std::string& message);
    // Leaves the loader for the main firmware, at 19200 bit/s when asked (or, in the installer,
    // at the main firmware's rate). The editor's form confirms with "?\n".
    [[nodiscard]] bool ExitLoader(std::string& message, bool returnToNormalRate = false);
    [[nodiscard]] bool SwitchLoaderBaud(std::string& message, bool highSpeed);
    [[nodiscard]] bool EnterLoaderFast(std::string& message);     // installer
    [[nodiscard]] bool ConnectForTransfer(std::string& message);  // editor
    [[nodiscard]] bool WriteFuse(char letter, uint8_t value);     // installer; closes the port on failure

    // ---- flash (flash.cpp), installer; images of 65536 words stored low byte first ----
    enum class FlashImageKind { Main, EepromLoader };
    [[nodiscard]] bool ProgramFlash(std::string& message, ProgressSink& progress, std::span<const uint8_t> image,
                                    FlashImageKind kind);
    [[nodiscard]] bool VerifyFlash(std::string& message, ProgressSink& progress, std::span<const uint8_t> image);
    [[nodiscard]] bool VerifyFlashChecksum(std::string& message, std::span<const uint8_t> image);

    // ---- settings EEPROM (transfer.cpp, settings_reads.cpp) ----
    [[nodiscard]] bool RetrieveSettings(Image& readImage, std::string& message, ProgressSink& progress);
    // Reads the addresses it is to write first (unless asked to write every byte), then writes
    // and reads back, one acknowledged command at a time, only those that differ.
    [[nodiscard]] bool ProgramSettings(const Image& writeImage, std::string& message, ProgressSink& progress,
                                       bool keepUnitAdjustments, SettingsWrite write = SettingsWrite::OnlyDiffering);
    // The bytes the last ProgramSettings wrote (and read back equal), whatever its outcome.
    size_t settingsBytesWritten() const { return settingsBytesWritten_; }
    // Asked by ProgramSettings before each reply of its reads and before each byte it writes,
    // when every earlier byte has been written and read back, and by RetrieveSettings before
    // each address, when every earlier one was confirmed: on true the transfer stops there (the
    // reads still on their way are waited out) and the unit leaves its loader as after a
    // complete transfer; once it has, the transfer fails with settingsTransferCancelled().
    // Setting a check forgets the stop of an earlier transfer.
    void setCancelCheck(std::function<bool()> check)
    {
        cancelCheck_ = std::move(check);
        settingsCancelled_ = false;
    }
    // The last settings transfer was stopped on request and the unit let out of its loader.
    bool settingsTransferCancelled() const { return settingsCancelled_; }

    // ---- data EEPROM through the debug monitor (data_eeprom.cpp), installer ----
    [[nodiscard]] bool ReadEepromBlock(size_t block, DataBlock& data);
    [[nodiscard]] bool WriteEepromBlock(size_t block, const DataBlock& data);
    // Writes `data` from block `blockCounter` on, skipping blocks that already hold it; the
    // counter advances by one per block. The word-swapped form exchanges the bytes of every word.
    // `afterBlock`, when given, is told the advanced counter after every block.
    [[nodiscard]] bool WriteEepromRegion(size_t& blockCounter, std::span<const uint8_t> data, bool wordSwapped = false,
                                         const std::function<void(size_t)>& afterBlock = {});
    [[nodiscard]] bool ProgramEepromImage(std::string& message, ProgressSink& progress,
                                          const DataEepromSections& sections);

    // ---- state ----
    Variant variant() const { return variant_; }
    const std::string& portName() const { return portName_; }
    int portNumber() const { return portNumber_; }
    int maxPortNumber() const { return variant_ == Variant::Installer ? 8 : 6; }
    int baudIndex() const { return baudIndex_; }
    bool streaming() const { return streaming_; }
    UnitMode mode() const { return mode_; }
    UnitModel model() const { return model_; }
    // The installer flashes QRX 30s only: a unit whose model no reply named is taken as one,
    // so that the flash markers are written after programming.
    void takeUnknownModelAsQrx30();
    int applicationBaudIndex() const { return appBaudIndex_; }
    int loaderVersion() const { return loaderVersion_; }
    int hardwareCheckResult() const { return hardwareCheck_; }
    // UnitFlags (installer): kept with the link that learns and writes it.
    uint8_t unitFlags() const { return unitFlags_; }
    // Stored by ReadFirmwareVersion (first form).
    double firmwareVersion() const { return firmwareVersion_; }
    char firmwareSuffix() const { return firmwareSuffix_; }
    // The reply that ended the last successful Identify.
    const std::string& lastIdentification() const { return lastIdentification_; }

    // "%s Firmware Version: %.2f%c" with the kind's name ("QRX30 Firmware Version: 2.20").
    // A suffix that is not a printable character is left out.
    static std::string firmwareVersionText(ModelKind kind, double version, char suffix);

    // The user-facing texts that depend on the program.
    std::string_view communicationErrorText() const;
    std::string_view noUnitText() const;

    // Program-specific delays.
    uint32_t queryLineDelayMs() const { return variant_ == Variant::Installer ? 20 : 10; }
    uint32_t commandAckDelayMs() const { return variant_ == Variant::Installer ? 20 : 15; }

    // Optional protocol trace: operation names are noted in it.
    void setTrace(platform::TraceLog* trace) { trace_ = trace; }
    // The PC's local date and time for SetUnitClock (tests inject a fixed one).
    void setLocalTimeSource(std::function<std::tm()> source) { localTime_ = std::move(source); }
    // Told the port name and rate each time a DetectUnit scan takes up a rate on a port, so a
    // caller can show where a long scan has got to.
    using ScanObserver = std::function<void(const std::string& portName, uint32_t rate)>;
    void setScanObserver(ScanObserver observer) { scanObserver_ = std::move(observer); }

private:
    friend class UnitLinkTestAccess;  // tests only (tests/support/unit_link_test_access.h)
    friend class OperationNote;
    friend class LoaderPipeline;
    void note(std::string_view text);
    void resetState();
    bool ensureOpen();
    bool reopen();
    bool writeBytes(std::string_view data);
    int readBytes(uint8_t* buffer, size_t n);
    // One read within an exchange's time limit; see transport.cpp.
    int readWithin(uint8_t* buffer, size_t n, uint32_t startMs, uint32_t limitMs);
    std::string readOnce(size_t max);
    // One attempt's reply: up to n bytes, or through a line feed, within the limit.
    bool collectReply(std::string& reply, size_t n, uint32_t limitMs, bool untilLineFeed);
    uint32_t elapsedSince(uint32_t startMs) { return clock_.nowMs() - startMs; }
    bool applyRateForIdentify(std::string& message);
    // Takes the mode and model a recognised reply names; true when it ends the probing.
    bool adoptReply(const IdentificationRow& row);
    // Bit 0 of UnitFlags follows the mains voltage the unit names.
    void noteMainsVoltage(std::string_view reply);
    // loader.cpp
    bool enterLoaderInstaller(std::string& message);
    bool enterLoaderEditor(std::string& message);
    bool exitLoaderInstaller(bool returnToNormalRate);
    bool exitLoaderEditor(std::string& message, bool returnToNormalRate);
    bool readLoaderVersion();
    bool probeLoaderBanner(bool anyModel);
    bool setPortRate(int baudIndex, std::string& message);
    bool enterProgrammingMode(std::string& message, bool withX);
    bool applyFuse(const FuseStep& step);
    std::string_view loaderNotRespondingText(bool highSpeed) const;
    // transfer.cpp; leaving the loader after a settings or flash transfer
    bool leaveLoaderWithRecovery(std::string& message, bool returnToNormalRate);
    // Leaves the loader after a settings transfer; on an incomplete transfer or a loader that
    // will not let go, the port is closed and message is the failure text. A transfer stopped
    // on request leaves it as a complete one does, and still fails.
    bool leaveAfterTransfer(bool complete, UnitMode startMode, const std::string& failed, std::string& message);
    void setClockAfterTransfer(uint32_t delayMs);
    bool programSettingsByte(size_t address, uint8_t value);
    bool cancelRequested();
    // settings_reads.cpp. Reads the whole settings EEPROM in order, each address confirmed by
    // two agreeing reads; returns the first address not confirmed (the image's size when all were).
    size_t readWholeImage(Image& image, ShownProgress& bar);
    // Marks in `differs` the addresses ProgramSettings writes whose confirmed value is not the
    // image's; false when stopped on request.
    bool findDifferingBytes(const Image& image, bool keepUnitAdjustments, std::array<bool, kImageSize>& differs,
                            ShownProgress& bar);
    // flash.cpp
    bool writeMarkerByte(uint16_t address, uint8_t value);
    bool flashFailurePath(std::string& message);
    // data_eeprom.cpp
    void leaveDebugMonitor();
    bool parseFirmwareVersion(const std::string& reply, ModelKind& kind, double& version, char& suffix);

    Variant variant_;
    platform::SerialPort& port_;
    platform::Clock& clock_;
    platform::TraceLog* trace_ = nullptr;
    std::function<std::tm()> localTime_;
    ScanObserver scanObserver_;
    std::function<bool()> cancelCheck_;
    bool settingsCancelled_ = false;
    size_t settingsBytesWritten_ = 0;
    int reopenDepth_ = 0;

    // Set by resetState(), as at construction.
    // transport
    std::string portName_;
    int baudIndex_;
    bool streaming_;
    // what answered
    int portNumber_;
    UnitMode mode_;
    UnitModel model_;
    int appBaudIndex_;
    int loaderVersion_;
    int hardwareCheck_;
    uint8_t unitFlags_;
    double firmwareVersion_;
    char firmwareSuffix_;
    std::string lastIdentification_;
};

}  // namespace velmar::unitlink
