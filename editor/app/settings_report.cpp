#include "app/settings_report.h"

#include <algorithm>

#include "app/report_file.h"
#include "app/report_pages.h"
#include "app/report_texts.h"
#include "app/settings_editor_sheet.h"
#include "app/texts.h"
#include "settings/image_codec.h"
#include "settings/records/decoded_image.h"
#include "unitlink/settings_file.h"

namespace velmar::editor {

namespace {

constexpr int kSetCount = 3;
// As decodeImage names the block when it refuses it.
const char* const kCurrentMainBlock = "Current main block";

QString fileNameOr(const QString& name) { return name.isEmpty() ? QString(texts::kNoFileName) : name; }

QString modelText(ModelKind model)
{
    if (model == ModelKind::Undetected)
        return texts::kNotStated;
    return QString(texts::kModelOfUnit).arg(texts::kModelNames[static_cast<int>(model)]);
}

// The Current set's main block: its version byte tells the layout, and so the firmware.
QString firmwareText(const Image& image, ModelKind model)
{
    const DecodedImage decoded = decodeImage(image, model);
    const auto& refused = decoded.refused;
    if (std::find(refused.begin(), refused.end(), kCurrentMainBlock) != refused.end())
        return texts::kNotStated;
    return QString(decoded.legacyLayout ? texts::kFirmwareOlderLayout : texts::kFirmwareCurrentLayout)
        .arg(static_cast<int>(image[kCurrentBase]));
}

std::vector<ReadRow> readSet(const SettingsRecordSet& set, const SettingsStore& store)
{
    // Copies: the pages bind to them, and nothing the editor holds is in reach.
    SettingsRecordSet shown = set;
    SettingsStore pagesStore = store;
    return readSettingsPages(shown, pagesStore);
}

}  // namespace

ReportSource editorReportSource(CSettingsEditorSheet& sheet)
{
    ReportSource source;
    CGeneral& general = sheet.general();
    source.fileName = QString::fromStdString(FileNameOf(general.path()));
    for (int set = kCurrentSet; set <= kInstallerSet; ++set)
        source.sets[static_cast<size_t>(set - kCurrentSet)] = sheet.recordSet(set == general.editIndex() ? kWorkingSet
                                                                                                         : set);
    source.image = sheet.store().readImage;
    return source;
}

bool readReportSource(const QString& path, ModelKind model, ReportSource& source, QString& message)
{
    std::string reason;
    Image image{};
    if (!readSettingsFile(path.toStdString(), image, reason, EmptyFile::Refuse)) {
        message = QString::fromStdString(reason);
        return false;
    }
    const DecodedImage decoded = decodeImage(image, model);
    source.fileName = QString::fromStdString(FileNameOf(path.toStdString()));
    for (int set = 0; set < kSetCount; ++set)
        source.sets[static_cast<size_t>(set)] = decoded.sets[static_cast<size_t>(set)].records;
    source.image = image;
    return true;
}

SettingsReport makeSettingsReport(const ReportSource& source, const ReportSource* other, const SettingsStore& store,
                                  const QDate& date)
{
    SettingsReport report;
    report.comparison = other != nullptr;
    std::vector<const ReportSource*> sources{&source};
    if (other)
        sources.push_back(other);

    std::vector<std::vector<ReadRow>> columns;
    std::vector<std::vector<int>> compared;
    for (int set = 0; set < kSetCount; ++set) {
        report.columns.groups << texts::kSetNames[set + kCurrentSet];
        std::vector<int> group;
        for (const ReportSource* s : sources) {
            group.push_back(static_cast<int>(columns.size()));
            columns.push_back(readSet(s->sets[static_cast<size_t>(set)], store));
            if (other)
                report.columns.columns << fileNameOr(s->fileName);
        }
        if (other)
            compared.push_back(group);
    }
    if (!other)
        compared = {{0, 1, 2}};
    report.table = tabulate(columns, compared);

    ReportHead& head = report.head;
    head.title = other ? texts::kComparisonTitle : texts::kReportTitle;
    ReportFact file{texts::kFileFact, {}}, model{texts::kModelFact, {}}, firmware{texts::kFirmwareFact, {}};
    for (const ReportSource* s : sources) {
        file.values << fileNameOr(s->fileName);
        model.values << modelText(store.modelKind());
        firmware.values << firmwareText(s->image, store.modelKind());
    }
    head.factsTitle = texts::kGeneralCaption;
    head.facts = {file, model, firmware, {texts::kDateFact, {date.toString(Qt::ISODate)}}};
    const std::vector<int>& n = report.table.differing;
    const auto differing = static_cast<int>(std::count_if(report.table.lines.begin(), report.table.lines.end(),
                                                          [](const ReportLine& line) { return line.differs; }));
    if (other)
        head.summary << QString(texts::kFilesDiffer).arg(differing).arg(n[0]).arg(n[1]).arg(n[2]);
    else
        head.summary << QString(texts::kSetsDiffer).arg(differing);
    return report;
}

bool writeSettingsReport(const ReportRequest& request, const ReportSource& source, const SettingsStore& store,
                         QString& message)
{
    if (reportFormatOf(request.output) == ReportFormat::Unknown) {
        message = texts::kReportNameRule + request.output;
        return false;
    }
    ReportSource other;
    const bool comparing = !request.compareWith.isEmpty();
    if (comparing && !readReportSource(request.compareWith, store.modelKind(), other, message))
        return false;
    SettingsReport report = makeSettingsReport(source, comparing ? &other : nullptr, store, QDate::currentDate());
    if (request.differencesOnly)
        report.head.summary << texts::kDifferencesOnly;
    return writeReportFile(request.output,
                           reportHtml(report.head, report.columns, report.table, request.differencesOnly),
                           report.comparison, message);
}

}  // namespace velmar::editor
