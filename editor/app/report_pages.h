#pragma once

// The settings pages read for a report: each page built off screen on a record set, as the
// sheet shows it, and walked through its selectors, dialogs and sub-sheets.
#include <QString>
#include <vector>

#include "app/settings_pages.h"
#include "pages/page_walk.h"

namespace velmar::editor {

// A section a row stands in: the page, then a selector's state, a dialog, a sub-sheet's page.
struct ReportSection {
    QString key;
    QString title;
};

struct ReadRow {
    std::vector<ReportSection> path;
    ui::ShownRow shown;
    // The sections' keys and the row's own: the same row of the same page in any set.
    QString key() const;
};

// Keeps every row read, with the sections it was read in.
class RowCollector : public PageWalk {
public:
    void enter(const QString& key, const QString& title) override;
    void leave() override;
    void read(const ui::ControlHost& host, const ui::ReadFilter& filter = {}) override;
    const std::vector<ReadRow>& rows() const { return rows_; }

private:
    std::vector<ReportSection> path_;
    std::vector<ReadRow> rows_;
};

// Builds each page of the table on the set, off screen, and hands what it shows to the walk
// under a section per page ("01", "1. Time/Timers"). The pages see the store's model; the
// set and the store are left as they were.
void walkSettingsPages(SettingsRecordSet& set, SettingsStore& store, PageWalk& walk,
                       const std::vector<PageEntry>& pages = settingsPageTable());

// The rows of every page, for one set.
std::vector<ReadRow> readSettingsPages(SettingsRecordSet& set, SettingsStore& store);

}  // namespace velmar::editor
