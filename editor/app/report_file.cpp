#include "app/report_file.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include "app/report_texts.h"

namespace velmar::editor {

namespace {

constexpr int kPdfFontPoints = 8;
constexpr double kPdfMarginMm = 12.0;

void printPdf(QIODevice& file, const QString& html, bool landscape)
{
    QPdfWriter writer(&file);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm), QPageLayout::Millimeter));
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSize(kPdfFontPoints);
    document.setDefaultFont(font);
    document.setHtml(html);
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    document.print(&writer);
}

}  // namespace

ReportFormat reportFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return ReportFormat::Html;
    if (suffix == QLatin1String("pdf"))
        return ReportFormat::Pdf;
    return ReportFormat::Unknown;
}

bool writeReportFile(const QString& path, const QString& html, bool landscape, QString& message)
{
    const ReportFormat format = reportFormatOf(path);
    if (format == ReportFormat::Unknown) {
        message = texts::kReportNameRule + path;
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        if (format == ReportFormat::Html)
            file.write(html.toUtf8());
        else
            printPdf(file, html, landscape);
        if (file.commit())
            return true;
    }
    message = texts::kCannotWriteReport + path + QStringLiteral(": ") + file.errorString();
    return false;
}

}  // namespace velmar::editor
