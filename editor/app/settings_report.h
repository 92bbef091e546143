#pragma once

// The settings report: the three sets of a file (or of the editor) side by side as the pages
// show them, or two files set by set, written as HTML or PDF. Making one changes nothing: the
// pages are read on copies, off screen.
#include <QDate>
#include <QString>
#include <array>

#include "app/report_html.h"
#include "settings/image.h"
#include "settings/records/settings_record_set.h"

namespace velmar::editor {

class CSettingsEditorSheet;

// The settings a report shows and where they come from.
struct ReportSource {
    QString fileName;
    std::array<SettingsRecordSet, 3> sets{};  // Current, User, Installer
    Image image{};                            // the image they were read from: what it says of its firmware
};

struct ReportRequest {
    QString output{};       // OUT.html or OUT.pdf
    QString compareWith{};  // another settings file; empty for a report of one
    bool differencesOnly = false;
};

struct SettingsReport {
    ReportHead head;
    ReportColumns columns;
    ReportTable table;
    bool comparison = false;
};

// The editor's sets, the one being edited as its pages left it, and the file it names.
ReportSource editorReportSource(CSettingsEditorSheet& sheet);
// A settings file's sets, read as the editor reads a file. False, with the reason, when it
// cannot be read.
bool readReportSource(const QString& path, ModelKind model, ReportSource& source, QString& message);

// The pages read on each set of the source (and of other, side by side with it, set by set).
// The pages see the store's model. The date is shown as YYYY-MM-DD, whatever the locale.
SettingsReport makeSettingsReport(const ReportSource& source, const ReportSource* other, const SettingsStore& store,
                                  const QDate& date);

// Reads the file to compare with, if any, makes the report and writes it. False, with the
// reason, when a file cannot be read or written.
bool writeSettingsReport(const ReportRequest& request, const ReportSource& source, const SettingsStore& store,
                         QString& message);

}  // namespace velmar::editor
