#include <QApplication>
#include <cstdlib>
#include <cstring>

#include "app/settings_editor_app.h"

namespace {

// Pictures need no screen: without a display they are drawn off screen.
void drawOffscreenWithoutDisplay(int argc, char** argv)
{
    const auto unset = [](const char* name) {
        const char* value = std::getenv(name);
        return !value || !*value;
    };
    if (!unset("QT_QPA_PLATFORM") || !unset("DISPLAY") || !unset("WAYLAND_DISPLAY"))
        return;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--screenshots", 13) == 0)
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace

int main(int argc, char** argv)
{
    drawOffscreenWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    velmar::editor::CSettingsEditorApp::SetUpApplication();
    return velmar::editor::CSettingsEditorApp().Run(QApplication::arguments());
}
