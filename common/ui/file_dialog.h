#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace velmar::ui {

// The standard Open and Save dialogs, described as the pages describe them.
struct FileDialogRequest {
    bool open = true;     // Open, otherwise Save (which asks before overwriting)
    QString defaultExt;   // ".q20": added to a name typed without one
    QString initialName;  // "default.q20"
    QString filter;       // "Description(*.ext)|*.ext||"
};

// The chosen full path, or nothing when the user cancelled.
std::optional<QString> promptForFile(QWidget* parent, const FileDialogRequest& request);

// Replaces the dialog (tests answer it without a window).
using FilePromptHook = std::function<std::optional<QString>(const FileDialogRequest&)>;
void setFilePromptHook(FilePromptHook hook);

// "Description(*.ext)|*.ext||" as the dialog's name filters ("Description(*.ext)").
QStringList nameFiltersOf(const QString& filter);

}  // namespace velmar::ui
