#include "workflows/unit_workflow.h"

#include <cmath>

#include "settings/image_codec.h"
#include "settings/legacy_layout.h"
#include "unitlink/settings_file.h"
#include "unitlink/status_texts.h"
#include "unitlink/texts.h"

namespace velmar::workflows {

using unitlink::UnitMode;
using unitlink::UnitModel;

namespace {

// Versions are compared in whole hundredths, as the unit writes them, so that no binary
// fraction of "2.10" can fall below the line.
constexpr long kFirstRebuildingFirmware = 210;

}  // namespace

bool rebuildsImages(double firmwareVersion) { return std::lround(firmwareVersion * 100) >= kFirstRebuildingFirmware; }

void prepareWriteImage(SettingsStore& store, double firmwareVersion)
{
    if (rebuildsImages(firmwareVersion))
        convertImage(store);
    else
        copyReadToWrite(store);
}

UnitWorkflow::UnitWorkflow(unitlink::UnitLink& link, ProgressSink& progress, WorkflowHost& host)
    : link_(link), progress_(progress), host_(host)
{
}

void UnitWorkflow::step(std::string_view text)
{
    status_ = text;
    show(Shown::Step);
}

bool UnitWorkflow::fail()
{
    show(Shown::Failure);
    return false;
}

bool UnitWorkflow::transfer(const std::function<bool()>& operation)
{
    link_.setCancelCheck([this] { return host_.stopRequested(); });
    host_.transferUnderWay(true);
    const bool done = onUnit([&] { return link_.ConnectForTransfer(status_) && operation(); });
    host_.transferUnderWay(false);
    transferStopped_ = link_.settingsTransferCancelled();
    link_.setCancelCheck({});
    return done;
}

bool UnitWorkflow::identify(SettingsStore& store)
{
    step(status::kSearchingForUnits);
    if (!onUnit([this] { return link_.DetectUnit(status_); }))
        return fail();
    status_ = status::kUnitLocated;
    show(Shown::Detail);
    bool identified = false;
    if (link_.model() == UnitModel::UNKNOWN || link_.mode() != UnitMode::Application) {
        status_ = status::kNoUnitDetected;
    } else if (std::string ignored; onUnit([&] { return link_.OpenPort(ignored); })) {
        ModelKind kind = ModelKind::Undetected;
        onUnit([&] {
            link_.ReadFirmwareVersion(kind);
            return true;
        });
        store.setModelKind(kind);
        status_ = unitlink::UnitLink::firmwareVersionText(kind, link_.firmwareVersion(), link_.firmwareSuffix());
        identified = kind != ModelKind::Undetected;
    } else {
        status_ = status::kError;
    }
    show(identified ? Shown::Result : Shown::Failure);
    return identified;
}

bool UnitWorkflow::findUnitForTransfer(std::string_view searching, std::string_view turnOffFailed)
{
    step(searching);
    bool found = onUnit([this] { return link_.DetectUnit(status_); });
    if (found && (link_.model() == UnitModel::UNKNOWN || link_.mode() != UnitMode::Application)) {
        status_ = status::kCouldNotFindUnit;
        found = false;
    }
    found = found && onUnit([this] { return link_.OpenPort(status_); });
    if (found && !onUnit([this] { return link_.PowerOffAllZones(); })) {
        status_ = turnOffFailed;
        found = false;
    }
    if (!found)
        return fail();
    show(Shown::Detail);
    return true;
}

bool UnitWorkflow::retrieve(Image& readImage)
{
    transferStopped_ = false;
    if (!findUnitForTransfer(status::kSearchingForUnit, unitlink::texts::kUnableToTurnOff))
        return false;
    step(status::kRetrievingSettings);
    if (!transfer([&] { return link_.RetrieveSettings(readImage, status_, progress_); }))
        return fail();
    show(Shown::Result);
    return true;
}

bool UnitWorkflow::retrieveToFile(SettingsStore& store, const std::string& path)
{
    if (!retrieve(store.readImage))
        return false;
    copyReadToWrite(store);
    step(status::kWritingSettingsFile);
    if (!writeSettingsFile(path, store.writeImage, status_)) {
        link_.ClosePort();
        return fail();
    }
    show(Shown::Result);
    return true;
}

bool UnitWorkflow::programFile(SettingsStore& store, const FileReader& read, bool keepUnitAdjustments,
                               unitlink::SettingsWrite write)
{
    transferStopped_ = false;
    if (!findUnitForTransfer(status::kSearchingForQrx20, status::kUnitFailedToTurnOff))
        return false;
    ModelKind kind = ModelKind::Undetected;
    onUnit([&] {
        link_.ReadFirmwareVersion(kind);
        return true;
    });
    store.setModelKind(kind);
    const double version = link_.firmwareVersion();
    step(status::kOpeningSettingsFile);
    if (!read(store.readImage, status_)) {
        link_.ClosePort();
        return fail();
    }
    prepareWriteImage(store, version);
    if (!onUnit([this] { return link_.OpenPort(status_); }))
        return fail();
    step(status::kProgrammingSettings);
    if (!transfer(
            [&] { return link_.ProgramSettings(store.writeImage, status_, progress_, keepUnitAdjustments, write); }))
        return fail();
    show(Shown::Result);
    return true;
}

}  // namespace velmar::workflows
