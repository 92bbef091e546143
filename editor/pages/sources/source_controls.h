#pragma once

// Control rows the per-source pages share.
#include <QStringList>
#include <span>

#include "ui/page_builder.h"

namespace velmar::editor {

// A drop list's items from a table of texts.
QStringList listItems(std::span<const char* const> items);
// The ten source buttons in two rows of five, in the order they stand.
ui::GroupSpec sourceButtonGroup();

}  // namespace velmar::editor
