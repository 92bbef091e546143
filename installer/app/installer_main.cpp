// The installer: one dialog that upgrades a unit to the firmware this program carries.
#include <QApplication>
#include <QCommandLineParser>

#include "installer_context.h"
#include "installer_dialog.h"
#include "installer_texts.h"
#include "upgrade/firmware_set.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("installer");
    QApplication::setApplicationVersion(velmar::installer::texts::kVersion);
    QApplication::setDesktopFileName("velmar-installer");

    QCommandLineParser parser;
    parser.setApplicationDescription(velmar::installer::texts::versionTitle());
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption ports(
        "ports",
        "Serial devices to scan, in order (COM1 is the first): device paths, or port names such as COM3 on Windows.",
        "PATH,...");
    parser.addOption(ports);
    parser.process(app);

    velmar::installer::InstallerContext context;
    context.firmware = velmar::installer::embeddedFirmware();
    context.ports = parser.value(ports).toStdString();

    velmar::installer::CInstallerDlg dialog(context);
    dialog.exec();
    return 0;
}
