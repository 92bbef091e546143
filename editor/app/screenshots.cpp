#include "app/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "app/settings_editor_sheet.h"

namespace velmar::editor {

QString ScreenshotName(const CSettingsEditorSheet& sheet, int index)
{
    return QStringLiteral("%1-%2.png").arg(sheet.placeOf(index), 2, 10, QLatin1Char('0')).arg(sheet.nameOf(index));
}

bool SaveScreenshots(CSettingsEditorSheet& sheet, const QString& dir, std::string& message)
{
    if (!QDir().mkpath(dir)) {
        message = "cannot make the directory " + dir.toStdString();
        return false;
    }
    sheet.show();
    for (int index = 0; index < sheet.pageCount(); ++index) {
        if (!sheet.setActivePage(index)) {
            message = "page " + sheet.page(sheet.activeIndex())->caption().toStdString() + " refused to be left";
            return false;
        }
        // Let the layouts settle before the picture is taken.
        QApplication::processEvents();
        const QString path = QDir(dir).filePath(ScreenshotName(sheet, index));
        if (!sheet.grab().save(path)) {
            message = "cannot write " + path.toStdString();
            return false;
        }
    }
    return true;
}

}  // namespace velmar::editor
