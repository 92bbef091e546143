#include "settings_editor_app.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <iostream>

#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/posix_serial_port.h"
#include "settings/settings_store.h"
#include "settings_editor_sheet.h"
#include "texts.h"
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
    const QCommandLineOption ports(QStringLiteral("ports"),
                                   QStringLiteral("Device paths for COM1, COM2, ... separated by commas."),
                                   QStringLiteral("PATH,..."));
    parser.addOption(ports);
    parser.process(arguments);

    // Why a port could not be opened (the dialout group, a busy device) goes to the log.
    platform::PosixSerialPort port(platform::PortNames::select(parser.value(ports).toStdString()),
                                   [](const std::string& line) { std::cerr << line << '\n'; });
    platform::RealClock clock;
    SettingsStore store(Variant::Editor);
    CSettingsEditorSheet sheet(store, port, clock);
    sheet.doModal();
    return 0;
}

}  // namespace velmar::editor
