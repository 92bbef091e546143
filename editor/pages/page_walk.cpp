#include "pages/page_walk.h"

#include <QComboBox>

#include "ui/dialog.h"
#include "ui/property_sheet.h"

namespace velmar::editor {

namespace {
constexpr const char* kSelectionSeparator = ", ";
}

void readDialog(PageWalk& walk, const QString& key, ui::Dialog& dialog)
{
    dialog.loadControls();
    const WalkSection section(walk, key, dialog.windowTitle());
    walk.read(dialog);
}

void readSheet(PageWalk& walk, const QString& key, ui::PropertySheet& sheet)
{
    const WalkSection section(walk, key, sheet.windowTitle());
    for (int index = 0; index < sheet.pageCount(); ++index) {
        if (!sheet.setActivePage(index))
            return;
        const WalkSection tab(walk, indexedKey("page", index), sheet.page(index)->caption());
        walk.read(*sheet.page(index));
    }
}

QString selectionTitle(const ui::ControlHost& host, std::initializer_list<int> ids)
{
    QStringList shown;
    for (const int id : ids) {
        if (auto* list = host.controlAs<QComboBox>(id))
            shown << list->currentText();
        else
            shown << host.controlText(id);
    }
    return shown.join(QLatin1String(kSelectionSeparator));
}

QString indexedKey(const char* name, int index) { return QLatin1String(name) + QString::number(index); }

}  // namespace velmar::editor
