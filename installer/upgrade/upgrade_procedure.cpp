#include "upgrade/upgrade_procedure.h"

#include "settings/legacy_layout.h"
#include "unitlink/unit_numbers.h"
#include "upgrade/upgrade_texts.h"

namespace velmar::installer {

namespace {

using unitlink::UnitMode;
using unitlink::UnitModel;

bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// Firmware at or above this version already drives the new DSP module.
constexpr double kNewModuleFirmware = 0.99;

// "...30 Version 1.02..." read as word, word, number from the "30 Version" on.
bool versionAfterTag(const std::string& reply, double& version)
{
    const auto at = reply.find("30 Version");
    if (at == std::string::npos)
        return false;
    std::string_view rest = std::string_view(reply).substr(at);
    unitlink::takeWord(rest);
    unitlink::takeWord(rest);
    version = unitlink::takeDecimal(rest).value_or(0.0);
    return true;
}

// Keeps the current state and restores it on leaving a scope.
class BusyScope {
public:
    explicit BusyScope(UpgradeHost& host) : host_(host) { host_.setBusy(true); }
    ~BusyScope() { host_.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    UpgradeHost& host_;
};

}  // namespace

UpgradeProcedure::UpgradeProcedure(unitlink::UnitLink& link, SettingsStore& store, ProgressSink& progress,
                                   UpgradeHost& host, UpgradeHistory& history, const FirmwareSet& firmware)
    : link_(link), store_(store), progress_(progress), host_(host), history_(history), firmware_(firmware)
{
}

void UpgradeProcedure::say(std::string text)
{
    status_ = std::move(text);
    notify();
}

bool UpgradeProcedure::openOrNotify()
{
    if (link_.OpenPort(status_))
        return true;
    notify();
    return false;
}

bool UpgradeProcedure::enterLoaderOrNotify()
{
    if (link_.EnterLoaderFast(status_))
        return true;
    notify();
    return false;
}

void UpgradeProcedure::leaveDebugMonitor()
{
    std::string ignored;
    static_cast<void>(link_.ExitDebugMode(ignored));  // what the step found stands whatever the monitor answers
}

UpgradeOutcome UpgradeProcedure::run()
{
    hardwareCheck_ = HardwareCheck::NotRun;
    findAndUpgrade();
    // Whatever happened, a unit left in its debug monitor goes back to normal operation.
    leaveDebugMonitor();
    UpgradeOutcome outcome;
    outcome.aborted = aborted();
    outcome.status = status_;
    outcome.succeeded = status_ == texts::updateComplete() || status_ == texts::upToDate();
    return outcome;
}

void UpgradeProcedure::findAndUpgrade()
{
    link_.reset();
    say(texts::searching());
    if (!link_.DetectUnit(status_)) {
        link_.reset();
        if (!link_.DetectUnit(status_)) {
            notify();
            return;
        }
    }
    if (aborted())
        return;
    // A unit answering from its boot loader is taken whatever model it claims.
    if (link_.model() != UnitModel::QRX_30 && link_.mode() != UnitMode::Loader) {
        say(texts::noUnitFound());
        return;
    }
    if (aborted())
        return;
    notify();
    if (!openOrNotify() || aborted())
        return;
    notify();

    if (link_.mode() == UnitMode::Application && upToDatePath() == Next::End)
        return;
    fullUpdate();
}

UpgradeProcedure::Next UpgradeProcedure::upToDatePath()
{
    if (hardwareCheck_ != HardwareCheck::Applies) {
        hardwareCheck_ = CheckDspModule();
        notify();
    }
    if (hardwareCheck_ != HardwareCheck::Applies || aborted())
        return Next::End;
    notify();
    if (history_.eepromFailures > 1 || !link_.VerifyFlashChecksum(status_, firmware_.mainImage))
        return Next::FullUpdate;

    bool programmed = false;
    {
        BusyScope busy(host_);
        say(std::string(texts::kProgrammingEeprom));
        programmed = link_.ProgramEepromImage(status_, progress_, firmware_.dataEeprom);
    }
    if (aborted())
        return Next::End;
    if (!programmed) {
        ++history_.eepromFailures;
        say(std::string(texts::kEepromFailed));
        return Next::End;
    }
    if (aborted() || !openOrNotify() || aborted())
        return Next::End;
    bool verified = false;
    {
        BusyScope busy(host_);
        say(std::string(texts::kVerifyingFlash));
        verified = link_.VerifyFlash(status_, progress_, firmware_.mainImage);
    }
    if (!verified)
        return Next::FullUpdate;
    say(texts::upToDate());
    return Next::End;
}

void UpgradeProcedure::fullUpdate()
{
    history_.eepromFailures = 0;
    say(texts::requiresUpdate());

    if (link_.mode() != UnitMode::EepromProgrammer) {
        if (!enterLoaderOrNotify() || aborted())
            return;
        BusyScope busy(host_);
        say(std::string(texts::kProgrammingLoader));
        link_.takeUnknownModelAsQrx30();
        if (aborted())
            return;
        const bool flashed = link_.ProgramFlash(status_, progress_, firmware_.loaderImage,
                                                unitlink::UnitLink::FlashImageKind::EepromLoader);
        notify();
        if (!flashed)
            return;
    }

    say(texts::gettingSettings());
    if (!enterLoaderOrNotify() || aborted())
        return;
    bool retrieved = false;
    {
        BusyScope busy(host_);
        retrieved = link_.RetrieveSettings(store_.readImage, status_, progress_);
    }
    notify();
    if (!retrieved) {
        say(texts::failedToGet());
        return;
    }

    say(texts::converting());
    convertImage(store_);
    {
        BusyScope busy(host_);
        say(texts::savingNew());
        if (!enterLoaderOrNotify() || aborted())
            return;
        if (!link_.ProgramSettings(store_.writeImage, status_, progress_, false)) {
            say(texts::failedToSave());
            return;
        }
        if (aborted())
            return;
    }
    notify();
    if (!link_.DetectUnit(status_)) {
        notify();
        return;
    }
    if (aborted() || !openOrNotify() || aborted())
        return;

    bool programmed = false;
    {
        BusyScope busy(host_);
        say(std::string(texts::kProgrammingEeprom));
        programmed = link_.ProgramEepromImage(status_, progress_, firmware_.dataEeprom);
    }
    if (aborted())
        return;
    if (!programmed) {
        say(std::string(texts::kEepromFailed));
        return;
    }

    say(std::string(texts::kProgrammingMain));
    if (!openOrNotify() || aborted() || !enterLoaderOrNotify() || aborted())
        return;
    bool flashed = false;
    {
        BusyScope busy(host_);
        flashed = link_.ProgramFlash(status_, progress_, firmware_.mainImage, unitlink::UnitLink::FlashImageKind::Main);
    }
    notify();
    if (!flashed || aborted())
        return;

    if (!openOrNotify() || aborted())
        return;
    bool verified = false;
    {
        BusyScope busy(host_);
        verified = link_.VerifyFlash(status_, progress_, firmware_.mainImage);
    }
    if (verified)
        status_ = texts::updateComplete();
    notify();
}

HardwareCheck UpgradeProcedure::CheckDspModule()
{
    std::string reply, ignored;
    link_.QueryLine("?\n", 1000, 64, reply);
    double version = 0.0;
    if (versionAfterTag(reply, version)) {
        if (version >= kNewModuleFirmware) {
            status_ = std::string(texts::kFoundVelmar) + reply;
            return HardwareCheck::Applies;
        }
    } else {
        leaveDebugMonitor();
    }
    if (!link_.PowerOnMainZone())
        return HardwareCheck::Undetermined;
    if (!link_.EnterDebugMode(ignored)) {
        link_.ClosePort();
        return HardwareCheck::Undetermined;
    }
    link_.Delay(1000);
    link_.DiscardUnitOutput();

    auto askModule = [this](std::string& answer) {
        link_.CommandAck("dla4fe\n", 50);
        link_.CommandAck("dlo401\n", 50);
        link_.QueryLine("ds281fff50\n", 150, 64, answer);
    };
    constexpr std::string_view kNoModuleAnswer = "     0";
    askModule(reply);
    if (contains(reply, kNoModuleAnswer))
        askModule(reply);

    std::string detail;
    if (contains(reply, "367")) {
        link_.QueryLine("ds3840001ff10030\n", 150, 64, detail);
        if (contains(detail, "2f0206")) {
            leaveDebugMonitor();
            status_ = texts::kNewDspModule;
            return HardwareCheck::Applies;
        }
    } else if (contains(reply, "366")) {
        link_.QueryLine("ds3840001ff10030\n", 150, 64, detail);
        if (contains(detail, "2e0203")) {
            leaveDebugMonitor();
            status_ = texts::kNotForThisHardware;
            return HardwareCheck::DoesNotApply;
        }
    } else if (contains(reply, kNoModuleAnswer)) {
        return HardwareCheck::Applies;  // the run's end leaves the debug monitor
    }
    leaveDebugMonitor();
    status_ = texts::kNotForThisHardware;
    return HardwareCheck::Undetermined;
}

}  // namespace velmar::installer
