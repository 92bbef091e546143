#include "app_icon.h"

namespace velmar::editor {

QIcon appIcon()
{
    return QIcon(QStringLiteral(":/velmar/settings_editor.png"));
}

}  // namespace velmar::editor
