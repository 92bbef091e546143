#pragma once

#include <QIcon>

namespace velmar::editor {

// The application icon, for the window and the About box.
QIcon appIcon();

}  // namespace velmar::editor
