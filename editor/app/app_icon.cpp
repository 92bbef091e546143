#include "app/app_icon.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

namespace velmar::editor {

QIcon appIcon()
{
    // Qt's own PNG reader, asked for by name: left to guess, the reader first loads every
    // image format plugin to ask each, which costs the window a noticeable part of its start.
    QFile file(QStringLiteral(":/velmar/settings_editor.png"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&file, "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

}  // namespace velmar::editor
