#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/serial_port.h"
#include "settings/records/settings_record_set.h"
#include "settings/settings_store.h"
#include "ui/property_page.h"
#include "unitlink/unit_link.h"
#include "workflows/unit_workflow.h"

class QProgressBar;

namespace velmar::editor {

class ProgressBarSink;
class StatusLineHost;

// Control ids of page "0. General".
enum GeneralControl : int {
    kIdPath = 104,
    kIdUnitStatus = 1002,
    kIdHelp = 1024,
    kIdEditCurrent = 1049,
    kIdSaveAs = 1058,
    kIdOpenFile = 1059,
    kIdEditUser = 1060,
    kIdEditInstaller = 1061,
    kIdSaveUnitToFile = 1062,
    kIdLoadFileToUnit = 1063,
    kIdCopyToUser = 1064,
    kIdCopyToInstaller = 1065,
    kIdLoadNonSetup = 1074,
    kIdLoadFromUnit = 1075,
    kIdProgress = 1213,
    kIdStatus = 1215,
    kIdAutoDetect = 1250,
    kIdAbout = 1251,
};

// Set indexes as the sheet registers them.
enum SetIndex : int { kWorkingSet = 0, kCurrentSet = 1, kUserSet = 2, kInstallerSet = 3 };

// True when path ends in ".q20" and holds no earlier ".q20" (case matters).
bool IsSettingsFile(const std::string& path);
// The part of a path after its last separator; the whole path when it has none.
std::string FileNameOf(const std::string& path);

// The editor's control centre: finds the unit, moves settings between the unit, the store
// and settings files, chooses the set the other pages edit, keeps the window title and asks
// whether to save on OK and Cancel.
class CGeneral : public ui::PropertyPage {
public:
    CGeneral(SettingsStore& store, platform::SerialPort& port, platform::Clock& clock);
    ~CGeneral() override;

    // By the sheet
    void RegisterSet(SettingsRecordSet* set);
    void OnOpenFile();
    bool SaveFileQuietly();
    void SetSkipFileDialog() { skipFileDialog_ = 1; }

    void onInitDialog() override;
    bool onApply() override;
    bool onQueryCancel() override;

    // State the pages and tests read
    int editIndex() const { return editIndex_; }
    const std::string& path() const { return path_; }
    const std::string& status() const { return status_; }
    const std::string& unitStatus() const { return unitStatus_; }
    const SettingsRecordSet& snapshot(int index) const { return snapshots_.at(static_cast<size_t>(index)); }
    unitlink::UnitLink& link() { return link_; }
    // Counts the times the working set was replaced by different settings (a file, the unit,
    // another set); the pages reload their records when it moved since they last did.
    unsigned workingSetGeneration() const { return workingSetGeneration_; }
    QProgressBar* progressBar() const;

protected:
    void doDataExchange(ui::DataExchange& dx) override;

private:
    void buildControls();
    void mapCommands();

    // Helpers
    void UpdateTitle();
    void CommitWorkingSet();
    void ReplaceWorkingSet(int index);
    bool PromptFileName(bool open);
    void LoadSetsFromImage();
    // With keepUnitArea, the unit state is encoded first and the unit's own bytes put back last.
    void StoreSetsToImage(bool keepUnitArea);
    // True when a unit answered and its firmware version was read.
    bool DetectAndIdentify();
    bool SaveFile();
    void showTexts() { updateData(false); }
    SettingsRecordSet& set(int index) { return *sets_.at(static_cast<size_t>(index)); }

    // A unit workflow showing its texts on the given status line, its unit work run with the
    // window kept alive.
    workflows::UnitWorkflow workflowOn(StatusLineHost& line);
    // Auto Detect's second half: the unit's settings into the three sets.
    void RetrieveIntoSets();
    // Runs DetectAndIdentify while no firmware version is known; false when still unknown.
    bool EnsureIdentified();

    // Actions
    void OnAbout();
    void OnHelp();
    void OnAutoDetect();
    void OnSaveUnitToFile();
    void OnLoadFileToUnit();
    void OnSaveAs();
    void OnEditCurrent() { CommitWorkingSet(); }
    void OnEditSet(int index);
    void OnCopyCurrentTo(int index);

    // Settings files; a failure also closes the unit's port
    bool ReadFile(std::string& message);
    bool WriteFile(std::string& message);

    SettingsStore& store_;
    std::array<SettingsRecordSet*, 4> sets_{};
    std::array<SettingsRecordSet, 4> snapshots_{};
    int editIndex_ = 0;
    unsigned workingSetGeneration_ = 0;
    unitlink::UnitLink link_;
    int skipFileDialog_ = 0;
    std::string path_;
    std::string status_;
    std::string unitStatus_;
    int loadNonSetup_ = 1;
    int loadFromUnit_ = 1;
    std::unique_ptr<ProgressBarSink> progress_;
    std::unique_ptr<StatusLineHost> statusLine_;
    std::unique_ptr<StatusLineHost> unitStatusLine_;
};

}  // namespace velmar::editor
