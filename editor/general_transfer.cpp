// The General page's transfers between the unit, the sets and settings files.
#include <cmath>

#include "general_page.h"
#include "progress_bar_sink.h"
#include "settings/image_codec.h"
#include "settings/legacy_layout.h"
#include "texts.h"

namespace velmar::editor {

namespace {

// From firmware 2.10 on, a file's image is rebuilt in the current layout before it is
// programmed. Versions are compared in whole hundredths, as the unit writes them, so that no
// binary fraction of "2.10" can fall below the line.
constexpr long kFirstRebuildingFirmware = 210;

bool rebuildsImages(double version)
{
    return std::lround(version * 100) >= kFirstRebuildingFirmware;
}

}  // namespace

bool CGeneral::FindUnitForTransfer(const char* searchingText, const char* powerOffFailedText)
{
    status_ = searchingText;
    showTexts();
    bool found = onUnit([this] { return link_.DetectUnit(status_); });
    if (found && (link_.model() == unitlink::UnitModel::UNKNOWN || link_.mode() != unitlink::UnitMode::Application)) {
        status_ = texts::kCouldNotFindUnit;
        found = false;
    }
    found = found && onUnit([this] { return link_.OpenPort(status_); });
    if (found && !onUnit([this] { return link_.PowerOffAllZones(); })) {
        status_ = powerOffFailedText;
        found = false;
    }
    showTexts();
    return found;
}

bool CGeneral::RetrieveFromUnit()
{
    status_ = texts::kRetrieving;
    showTexts();
    const bool ok = onUnit([this] {
        return link_.ConnectForTransfer(status_) && link_.RetrieveSettings(store_.readImage, status_, *progress_);
    });
    showTexts();
    return ok;
}

void CGeneral::RetrieveIntoSets()
{
    if (!FindUnitForTransfer(texts::kSearchingForUnit, texts::kUnableToTurnOff) || !RetrieveFromUnit())
        return;
    LoadSetsFromImage();
    status_ = texts::kSettingsUploaded;
    showTexts();
}

bool CGeneral::EnsureIdentified()
{
    if (store_.modelKind() == ModelKind::Undetected)
        DetectAndIdentify();
    return store_.modelKind() != ModelKind::Undetected;
}

void CGeneral::OnSaveUnitToFile()
{
    updateData(true);
    if (!EnsureIdentified())
        return;
    if (!IsSettingsFile(path_) && !PromptFileName(false))
        return;
    if (!FindUnitForTransfer(texts::kSearchingForUnit, texts::kUnableToTurnOff) || !RetrieveFromUnit())
        return;
    // The file is the unit's image as retrieved, its own adjustments included.
    copyReadToWrite(store_);
    status_ = texts::kWritingFile;
    showTexts();
    if (!WriteFile(status_)) {
        showTexts();
        return;
    }
    const std::string written = status_;
    SetSkipFileDialog();
    OnOpenFile();
    status_ = written;
    showTexts();
}

void CGeneral::OnLoadFileToUnit()
{
    updateData(true);
    if (!EnsureIdentified())
        return;
    if (!IsSettingsFile(path_) && !PromptFileName(true))
        return;
    if (!FindUnitForTransfer(texts::kSearchingForQrx20, texts::kUnitFailedToTurnOff))
        return;
    ModelKind kind = ModelKind::Undetected;
    onUnit([&] {
        link_.ReadFirmwareVersion(kind);
        return true;
    });
    store_.setModelKind(kind);
    const double version = link_.firmwareVersion();
    status_ = texts::kOpeningFile;
    showTexts();
    if (!ReadFile(status_)) {
        showTexts();
        return;
    }
    if (rebuildsImages(version))
        convertImage(store_);
    else
        copyReadToWrite(store_);
    if (!onUnit([this] { return link_.OpenPort(status_); })) {
        showTexts();
        return;
    }
    status_ = texts::kProgramming;
    showTexts();
    const bool keepUnitAdjustments = loadNonSetup_ == 0;
    onUnit([&] {
        return link_.ConnectForTransfer(status_) &&
               link_.ProgramSettings(store_.writeImage, status_, *progress_, keepUnitAdjustments);
    });
    showTexts();
}

}  // namespace velmar::editor
