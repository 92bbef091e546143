#pragma once

#include <QString>
#include <string>

namespace velmar::editor {

class CSettingsEditorSheet;

// Shows every page of the sheet in turn and saves a picture of the sheet as
// DIR/NN-name.png, NN being the page's place (00 to 11). False, with message saying why,
// when the directory cannot be made, a page refuses to be left or a picture is not written.
bool SaveScreenshots(CSettingsEditorSheet& sheet, const QString& dir, std::string& message);

// The picture's file name for the page at a sheet index: "09-triggers-ir-rs232.png".
QString ScreenshotName(const CSettingsEditorSheet& sheet, int index);

}  // namespace velmar::editor
