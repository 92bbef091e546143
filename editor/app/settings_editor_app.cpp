#include "app/settings_editor_app.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QLineEdit>
#include <iostream>

#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/native_serial_port.h"
#include "settings/settings_store.h"
#include "app/report_texts.h"
#include "app/screenshots.h"
#include "app/settings_editor_sheet.h"
#include "app/settings_report.h"
#include "app/texts.h"
#include "ui/message_box.h"

namespace velmar::editor {

void CSettingsEditorApp::SetUpApplication()
{
    QGuiApplication::setApplicationName(QStringLiteral("settings_editor"));
    QGuiApplication::setDesktopFileName(QStringLiteral("velmar-settings-editor"));
    ui::setMessageBoxCaption(texts::kSheetCaption);
}

int CSettingsEditorApp::Run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(texts::kProgramTitle);
    parser.addHelpOption();
    const QCommandLineOption ports(
        QStringLiteral("ports"),
        QStringLiteral(
            "Ports for COM1, COM2, ... separated by commas: device paths, or port names such as COM3 on Windows."),
        QStringLiteral("PATH,..."));
    parser.addOption(ports);
    const QCommandLineOption open(QStringLiteral("open"), QStringLiteral("Open this settings file at the start."),
                                  QStringLiteral("FILE.q20"));
    parser.addOption(open);
    const QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                         QStringLiteral("Save a picture of every page into DIR and exit."),
                                         QStringLiteral("DIR"));
    parser.addOption(screenshots);
    const QCommandLineOption report(QStringLiteral("report"), texts::kReportOption, QStringLiteral("OUT.html|OUT.pdf"));
    const QCommandLineOption compare(QStringLiteral("compare"), texts::kCompareOption, QStringLiteral("OTHER.q20"));
    const QCommandLineOption differencesOnly(QStringLiteral("differences-only"), texts::kDifferencesOnlyOption);
    parser.addOptions({report, compare, differencesOnly});
    parser.process(arguments);
    if (!parser.isSet(report) && (parser.isSet(compare) || parser.isSet(differencesOnly))) {
        std::cerr << texts::kReportOptionsNeedReport << '\n';
        return 2;
    }

    // Why a port could not be opened (the dialout group, a busy device) goes to the log.
    platform::NativeSerialPort port(platform::PortNames::select(parser.value(ports).toStdString()),
                                    [](const std::string& line) { std::cerr << line << '\n'; });
    platform::RealClock clock;
    SettingsStore store(Variant::Editor);
    CSettingsEditorSheet sheet(store, port, clock);
    // A file that cannot be opened ends a picture run; the editor itself starts anyway and
    // its status line says why.
    const bool opened = !parser.isSet(open) || OpenAtStart(sheet, parser.value(open));
    if (parser.isSet(screenshots)) {
        if (!opened)
            return 1;
        std::string message;
        if (SaveScreenshots(sheet, parser.value(screenshots), message))
            return 0;
        std::cerr << message << '\n';
        return 1;
    }
    if (parser.isSet(report)) {
        if (!opened)
            return 1;
        return WriteReport(sheet, {parser.value(report), parser.value(compare), parser.isSet(differencesOnly)});
    }
    sheet.doModal();
    return 0;
}

int CSettingsEditorApp::WriteReport(CSettingsEditorSheet& sheet, const ReportRequest& request)
{
    QString message;
    if (writeSettingsReport(request, editorReportSource(sheet), sheet.store(), message))
        return 0;
    std::cerr << message.toStdString() << '\n';
    return 1;
}

bool CSettingsEditorApp::OpenAtStart(CSettingsEditorSheet& sheet, const QString& path)
{
    // The file goes through the General page as a typed name: no dialog, the page's status.
    sheet.setActivePage(0);
    CGeneral& general = sheet.general();
    general.controlAs<QLineEdit>(kIdPath)->setText(path);
    general.SetSkipFileDialog();
    general.OnOpenFile();
    if (general.status() == texts::kFileLoaded)
        return true;
    std::cerr << path.toStdString() << ": " << general.status() << '\n';
    return false;
}

}  // namespace velmar::editor
