#include "ui/file_dialog.h"

#include <QFileDialog>

namespace velmar::ui {

namespace {
FilePromptHook& filePromptHook()
{
    static FilePromptHook hook;
    return hook;
}
}  // namespace

void setFilePromptHook(FilePromptHook hook) { filePromptHook() = std::move(hook); }

QStringList nameFiltersOf(const QString& filter)
{
    // Pairs of description and pattern; the description is what the dialog shows, and a
    // description without the pattern in parentheses gets it appended.
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        if (description.isEmpty())
            continue;
        filters << (description.endsWith('(' + pattern + ')') ? description : description + " (" + pattern + ')');
    }
    return filters;
}

std::optional<QString> promptForFile(QWidget* parent, const FileDialogRequest& request)
{
    if (filePromptHook())
        return filePromptHook()(request);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(nameFiltersOf(request.filter));
    QString ext = request.defaultExt;
    if (ext.startsWith('.'))
        ext.remove(0, 1);
    dialog.setDefaultSuffix(ext);
    dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace velmar::ui
