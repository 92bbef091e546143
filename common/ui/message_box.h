#pragma once

#include <QString>

class QWidget;

namespace velmar::ui {

// A modal box with one text and an OK button, captioned with the program's name.
void messageBox(QWidget* parent, const QString& text);

// The program's name for those captions (the application name until set). Programs do not set
// an application display name for it: Qt on X11 appends that to every window title.
void setMessageBoxCaption(const QString& caption);

}  // namespace velmar::ui
