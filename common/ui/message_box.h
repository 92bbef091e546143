#pragma once

#include <QString>

class QWidget;

namespace velmar::ui {

// A modal box with one text and an OK button, captioned with the application's name.
void messageBox(QWidget* parent, const QString& text);

}  // namespace velmar::ui
