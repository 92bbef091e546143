#pragma once

// Writes a report's HTML as the file's name asks: ".html" (or ".htm") as it is, ".pdf" through
// Qt's own PDF writer. A failed write leaves no partial file and keeps an earlier one.
#include <QString>

namespace velmar::editor {

enum class ReportFormat { Html, Pdf, Unknown };
ReportFormat reportFormatOf(const QString& path);

// landscape: a wide table (two files side by side) gets the page across. False, with a
// message naming the file and the reason, when the name or the writing fails.
bool writeReportFile(const QString& path, const QString& html, bool landscape, QString& message);

}  // namespace velmar::editor
