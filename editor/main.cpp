#include <QApplication>

#include "settings_editor_app.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    velmar::editor::CSettingsEditorApp::SetUpApplication();
    return velmar::editor::CSettingsEditorApp().Run(QApplication::arguments());
}
