#include <QApplication>
#include <cstring>

#include "app/settings_editor_app.h"

namespace {

// Pictures and reports need no screen: without a display (an X or Wayland session; Windows
// always has its desktop) they are drawn off screen.
void drawOffscreenWithoutDisplay(int argc, char** argv)
{
#ifndef Q_OS_WIN
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--screenshots", 13) == 0 || std::strncmp(argv[i], "--report", 8) == 0)
            qputenv("QT_QPA_PLATFORM", "offscreen");
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    drawOffscreenWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    velmar::editor::CSettingsEditorApp::SetUpApplication();
    return velmar::editor::CSettingsEditorApp().Run(QApplication::arguments());
}
