// The General page's transfers between the unit, the sets and settings files.
#include "general/general_page.h"
#include "app/status_line_host.h"
#include "app/texts.h"
#include "unitlink/settings_file.h"

namespace velmar::editor {

void CGeneral::RetrieveIntoSets()
{
    if (!workflowOn(*statusLine_).retrieve(store_.readImage))
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
    auto workflow = workflowOn(*statusLine_);
    if (!workflow.retrieveToFile(store_, path_))
        return;
    SetSkipFileDialog();
    OnOpenFile();
    status_ = workflow.status();
    showTexts();
}

void CGeneral::OnLoadFileToUnit()
{
    updateData(true);
    if (!EnsureIdentified())
        return;
    if (!IsSettingsFile(path_) && !PromptFileName(true))
        return;
    const bool keepUnitAdjustments = loadNonSetup_ == 0;
    // A file without settings is refused: the image the editor held before (the last file or
    // unit read, or the factory settings) would otherwise go to the unit in its place.
    const auto read = [this](Image& image, std::string& message) {
        return readSettingsFile(path_, image, message, EmptyFile::Refuse);
    };
    // The status line tells how it ended.
    static_cast<void>(workflowOn(*statusLine_).programFile(store_, read, keepUnitAdjustments));
}

}  // namespace velmar::editor
