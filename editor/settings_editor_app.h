#pragma once

#include <QStringList>

namespace velmar::editor {

// The application object: the store, the serial port and the clock for the whole run, and
// the sheet run modally. The program ends when the sheet closes.
class CSettingsEditorApp {
public:
    // Names the program for the desktop and its message boxes, with no display name: Qt on X11
    // would append one to the sheet's title.
    static void SetUpApplication();
    // argv as given; "--ports PATH,..." names the devices for COM1, COM2, ...
    int Run(const QStringList& arguments);
};

}  // namespace velmar::editor
