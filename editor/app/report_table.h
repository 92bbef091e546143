#pragma once

// The rows read from several sets side by side: one line per row of a page, in the order
// the pages show them, and which lines differ.
#include <QString>
#include <vector>

#include "app/report_pages.h"

namespace velmar::editor {

struct ReportCell {
    bool shown = false;  // false where that set's page hides the row
    std::vector<ui::ShownPart> parts{};
};

struct ReportLine {
    std::vector<ReportSection> path{};
    QString group{};
    QString caption{};
    std::vector<ReportCell> cells{};  // one per column
    bool differs = false;
};

struct ReportTable {
    std::vector<ReportLine> lines;
    // Per group of compared columns, how many lines differ within it.
    std::vector<int> differing;
};

// Columns are compared in the groups given ({{0, 1, 2}}: three sets; {{0, 1}, {2, 3}}: two
// files set by set). Cells differ when they show different words, or one is hidden.
ReportTable tabulate(const std::vector<std::vector<ReadRow>>& columns, const std::vector<std::vector<int>>& compared);

// A part as the report words it: its text, "checked", "not in the list (stored 7)".
QString partText(const ui::ShownPart& part);
// The cell's parts, one space between them.
QString cellText(const ReportCell& cell);

}  // namespace velmar::editor
