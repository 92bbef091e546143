#pragma once

#include <array>
#include <vector>

#include "general/general_page.h"
#include "pages/settings_page.h"
#include "app/settings_pages.h"
#include "ui/property_sheet.h"

namespace velmar::editor {

inline constexpr int kIdmAboutBox = 0x10;

// The editor's one window: the General page first, then the settings pages in tab order;
// the working set (0, the pages' records) and the Current, User and Installer sets.
class CSettingsEditorSheet : public ui::PropertySheet {
public:
    // The settings pages come from the table, placed in tab order after the General page.
    CSettingsEditorSheet(SettingsStore& store, platform::SerialPort& port, platform::Clock& clock,
                         QWidget* parent = nullptr, int startPage = 0,
                         const std::vector<PageEntry>& pages = settingsPageTable());

    int doModal();
    CGeneral& general() { return *general_; }
    SettingsRecordSet& recordSet(int index) { return sets_.at(static_cast<size_t>(index)); }
    // A page's place on the full sheet (0 to 11) and its name, by its index among the built
    // pages; the index of the page at a place (-1 when that page is not built).
    int placeOf(int index) const { return entries_.at(static_cast<size_t>(index)).place; }
    const char* nameOf(int index) const { return entries_.at(static_cast<size_t>(index)).name; }
    int indexOfPlace(int place) const;
    // The window menu's commands; kIdmAboutBox shows the About box.
    void OnSysCommand(int id);

protected:
    bool preTranslateKey(QKeyEvent* event) override;

private:
    void BindPageLinks();
    void addWindowMenu();

    std::array<SettingsRecordSet, 4> sets_{};
    std::vector<CSettingsPage*> settingsPages_;
    std::vector<PageEntry> entries_;  // per sheet index, General first
    PageContext context_;
    CGeneral* general_;
};

}  // namespace velmar::editor
