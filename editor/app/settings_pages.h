#pragma once

#include <vector>

#include "pages/settings_page.h"

namespace velmar::editor {

// One settings page of the sheet.
struct PageEntry {
    int place;         // 1 to 11: the page's tab on the sheet ("0. General" is 0)
    const char* name;  // for pictures of the page: "NN-name.png"
    CSettingsPage* (*make)(PageContext& context);
};

template <class Page>
CSettingsPage* makePage(PageContext& context)
{
    return new Page(context);
}

// The settings pages that are built, in tab order: adding a page is adding its line.
const std::vector<PageEntry>& settingsPageTable();

inline constexpr const char* kGeneralPageName = "general";

}  // namespace velmar::editor
