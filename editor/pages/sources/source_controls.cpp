#include "pages/sources/source_controls.h"

#include <algorithm>

#include "pages/sources/source_kinds.h"

namespace velmar::editor {

QStringList listItems(std::span<const char* const> items)
{
    QStringList list;
    for (const char* item : items)
        list << item;
    return list;
}

ui::GroupSpec sourceButtonGroup()
{
    constexpr size_t kPerRow = 5;
    ui::GroupSpec group;
    const auto all = sourceButtons();
    for (size_t first = 0; first < all.size(); first += kPerRow) {
        ui::RowSpec row;
        for (const SourceButton& b : all.subspan(first, std::min(kPerRow, all.size() - first)))
            row.push_back(ui::button(b.id, b.caption));
        group.rows.push_back(row);
    }
    return group;
}

}  // namespace velmar::editor
