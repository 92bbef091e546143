#pragma once

#include <array>
#include <vector>

class QMenuBar;

#include "general/general_page.h"
#include "pages/settings_page.h"
#include "app/settings_pages.h"
#include "ui/property_sheet.h"

namespace velmar::editor {

inline constexpr int kIdmAboutBox = 0x10;

// The File menu's commands; they act as the General page's buttons do.
enum class FileCommand { Open, SaveAs, CompareWithFile, ExportReport, Quit };

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
    // What the File menu and its keys do. All but Quit first go to the General page, as the
    // keys do: a page that refuses to be left keeps its controls and nothing happens.
    void OnFileCommand(FileCommand command);
    SettingsStore& store() { return context_.store; }

protected:
    bool preTranslateKey(QKeyEvent* event) override;

private:
    void BindPageLinks();
    void addWindowMenu();
    void addFileMenu(QMenuBar& bar);
    // Asks for the report's name and writes it, of these settings or compared with a file.
    void ExportReport(const QString& compareWith);

    std::array<SettingsRecordSet, 4> sets_{};
    std::vector<CSettingsPage*> settingsPages_;
    std::vector<PageEntry> entries_;  // per sheet index, General first
    PageContext context_;
    CGeneral* general_;
};

}  // namespace velmar::editor
