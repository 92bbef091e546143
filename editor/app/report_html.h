#pragma once

// The report as one HTML document: its head (what it shows, where the settings come from),
// then a table with a heading per page, dialog, sub-sheet page and selector state, and a line
// per row with its caption and a cell per column. The same document makes the PDF.
#include <QString>
#include <QStringList>
#include <vector>

#include "app/report_table.h"

namespace velmar::editor {

struct ReportFact {
    QString label;       // "File:"
    QStringList values;  // one per file
};

struct ReportHead {
    QString title;
    QString factsTitle;  // the page that names the file and the unit: "0. General"
    std::vector<ReportFact> facts;
    QStringList summary;  // lines under the facts: counts, "only the rows that differ"
};

struct ReportColumns {
    QStringList groups;   // over the value columns, each spanning the same number of them
    QStringList columns;  // under the groups; empty when each group is one column
};

// With differencesOnly, the lines that do not differ are left out (and headings left empty).
QString reportHtml(const ReportHead& head, const ReportColumns& columns, const ReportTable& table,
                   bool differencesOnly);

}  // namespace velmar::editor
