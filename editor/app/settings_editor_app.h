#pragma once

#include <QStringList>

namespace velmar::editor {

class CSettingsEditorSheet;
struct ReportRequest;

// The application object: the store, the serial port and the clock for the whole run, and
// the sheet run modally. The program ends when the sheet closes.
class CSettingsEditorApp {
public:
    // Names the program for the desktop and its message boxes, with no display name: Qt on X11
    // would append one to the sheet's title.
    static void SetUpApplication();
    // argv as given; "--ports PATH,..." names the devices for COM1, COM2, ...; "--open FILE"
    // loads a settings file first; "--screenshots DIR" saves a picture of every page and exits;
    // "--report OUT.html|OUT.pdf [--compare OTHER.q20] [--differences-only]" writes a report
    // of the settings and exits.
    int Run(const QStringList& arguments);

private:
    static bool OpenAtStart(CSettingsEditorSheet& sheet, const QString& path);
    static int WriteReport(CSettingsEditorSheet& sheet, const ReportRequest& request);
};

}  // namespace velmar::editor
