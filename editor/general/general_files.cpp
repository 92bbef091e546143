// The General page's settings-file actions and the save prompt.
#include "general/general_page.h"
#include "app/save_prompt_dialog.h"
#include "app/texts.h"
#include "unitlink/settings_file.h"

namespace velmar::editor {

bool CGeneral::ReadFile(std::string& message)
{
    if (readSettingsFile(path_, store_.readImage, message))
        return true;
    link_.ClosePort();
    return false;
}

bool CGeneral::WriteFile(std::string& message)
{
    if (writeSettingsFile(path_, store_.writeImage, message))
        return true;
    link_.ClosePort();
    return false;
}

void CGeneral::OnOpenFile()
{
    updateData(true);
    CommitWorkingSet();
    if (!skipFileDialog_ && !PromptFileName(true)) {
        showTexts();
        return;
    }
    skipFileDialog_ = 0;
    status_ = texts::kLocatingFile;
    showTexts();
    if (ReadFile(status_)) {
        LoadSetsFromImage();
        status_ = texts::kFileLoaded;
    }
    showTexts();
}

void CGeneral::OnSaveAs()
{
    updateData(true);
    CommitWorkingSet();
    if (!PromptFileName(false))
        return;
    StoreSetsToImage(true);
    status_ = texts::kSavingFile;
    showTexts();
    if (WriteFile(status_)) {
        status_ = texts::kFileSaved;
        for (int i = kCurrentSet; i <= kInstallerSet; ++i)
            snapshots_[static_cast<size_t>(i)].assign(set(i));
    }
    showTexts();
}

bool CGeneral::SaveFile()
{
    if (!IsSettingsFile(path_) && !PromptFileName(false))
        return false;
    status_ = texts::kSavingFileDots;
    showTexts();
    CommitWorkingSet();
    StoreSetsToImage(false);
    const bool written = WriteFile(status_);
    showTexts();
    if (!written)
        return false;
    for (int i = kCurrentSet; i <= kInstallerSet; ++i)
        snapshots_[static_cast<size_t>(i)].assign(set(i));
    return true;
}

bool CGeneral::SaveFileQuietly()
{
    updateData(true);
    if (!IsSettingsFile(path_) && !PromptFileName(false))
        return false;
    CommitWorkingSet();
    StoreSetsToImage(false);
    // Quiet when it works; a save that did not happen says why.
    std::string message;
    if (!WriteFile(message)) {
        status_ = message;
        showTexts();
        return false;
    }
    for (int i = kCurrentSet; i <= kInstallerSet; ++i)
        snapshots_[static_cast<size_t>(i)].assign(set(i));
    return true;
}

bool CGeneral::onApply()
{
    CommitWorkingSet();
    bool unchanged = true;
    for (int i = kCurrentSet; i <= kInstallerSet; ++i)
        unchanged = unchanged && set(i).equals(snapshot(i));
    if (unchanged)
        return true;
    CSavePromptDlg prompt(QString::fromStdString(texts::kSaveChangesTo + FileNameOf(path_) + texts::kSaveChangesEnd),
                          this);
    int answer = kSavePromptCancel;
    for (bool asking = true; asking;) {
        answer = prompt.Ask();
        switch (answer) {
        case kSavePromptYes: asking = !SaveFile(); break;
        case kSavePromptSaveAs:
            // A failed write asks again, as for "Yes": the changes are not lost unsaved.
            if (PromptFileName(false) && SaveFileQuietly()) {
                answer = kSavePromptNo;
                asking = false;
            }
            break;
        default: asking = false; break;
        }
    }
    UpdateTitle();
    return answer != kSavePromptCancel;
}

bool CGeneral::onQueryCancel() { return onApply(); }

}  // namespace velmar::editor
