#pragma once

#include <QStringList>

namespace velmar::editor {

// The application object: the store, the serial port and the clock for the whole run, and
// the sheet run modally. The program ends when the sheet closes.
class CSettingsEditorApp {
public:
    // argv as given; "--ports PATH,..." names the devices for COM1, COM2, ...
    int Run(const QStringList& arguments);
};

}  // namespace velmar::editor
