#include "app/report_pages.h"

#include <memory>

namespace velmar::editor {

QString ReadRow::key() const
{
    QStringList keys;
    for (const ReportSection& section : path)
        keys << section.key;
    keys << shown.key;
    return keys.join(QLatin1Char('/'));
}

void RowCollector::enter(const QString& key, const QString& title) { path_.push_back({key, title}); }

void RowCollector::leave() { path_.pop_back(); }

void RowCollector::read(const ui::ControlHost& host, const ui::ReadFilter& filter)
{
    for (ui::ShownRow& row : ui::readShownRows(host, filter))
        rows_.push_back({path_, std::move(row)});
}

void walkSettingsPages(SettingsRecordSet& set, SettingsStore& store, PageWalk& walk,
                       const std::vector<PageEntry>& pages)
{
    PageContext context{store};
    for (const PageEntry& entry : pages) {
        // What the sheet does when the page is first shown, without showing it.
        const std::unique_ptr<CSettingsPage> page(entry.make(context));
        page->BindRecords(set);
        page->onCreateControls();
        page->onInitDialog();
        page->onSetActive();
        const WalkSection section(walk, QStringLiteral("%1").arg(entry.place, 2, 10, QLatin1Char('0')),
                                  page->caption());
        page->WalkControls(walk);
    }
}

std::vector<ReadRow> readSettingsPages(SettingsRecordSet& set, SettingsStore& store)
{
    RowCollector collector;
    walkSettingsPages(set, store, collector);
    return collector.rows();
}

}  // namespace velmar::editor
