#pragma once

#include <array>
#include <vector>

#include "general_page.h"
#include "settings_page.h"
#include "ui/property_sheet.h"

namespace velmar::editor {

inline constexpr int kIdmAboutBox = 0x10;

// The editor's one window: the General page first, then the settings pages in tab order;
// the working set (0, the pages' records) and the Current, User and Installer sets.
class CSettingsEditorSheet : public ui::PropertySheet {
public:
    CSettingsEditorSheet(SettingsStore& store, platform::SerialPort& port, platform::Clock& clock,
                         QWidget* parent = nullptr, int startPage = 0);

    int doModal();
    CGeneral& general() { return *general_; }
    SettingsRecordSet& recordSet(int index) { return sets_.at(static_cast<size_t>(index)); }
    // The window menu's commands; kIdmAboutBox shows the About box.
    void OnSysCommand(int id);

protected:
    bool preTranslateKey(QKeyEvent* event) override;

private:
    void BindPageLinks();
    void addWindowMenu();

    std::array<SettingsRecordSet, 4> sets_{};
    std::vector<CSettingsPage*> settingsPages_;
    CGeneral* general_;
};

}  // namespace velmar::editor
