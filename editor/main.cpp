#include <QApplication>

#include "settings_editor_app.h"
#include "texts.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("settings_editor"));
    QApplication::setApplicationDisplayName(velmar::editor::texts::kSheetCaption);
    QApplication::setDesktopFileName(QStringLiteral("velmar-settings-editor"));
    return velmar::editor::CSettingsEditorApp().Run(QApplication::arguments());
}
