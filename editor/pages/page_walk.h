#pragma once

// A page's walk for a report: the page shows each state of its selectors (zone and timer,
// path, source, band and preset) and opens its dialogs and sub-sheets without showing them,
// and a PageWalk reads what each shows. A walk leaves the page and its records as it found
// them.
#include <QString>
#include <initializer_list>

#include "ui/shown_rows.h"

namespace velmar::ui {
class ControlHost;
class Dialog;
class PropertySheet;
}  // namespace velmar::ui

namespace velmar::editor {

class PageWalk {
public:
    virtual ~PageWalk() = default;
    // A section under the current one. The key names it whatever the settings are (so that
    // sets and files line up); the title is what the page shows for it, empty for no heading.
    virtual void enter(const QString& key, const QString& title) = 0;
    virtual void leave() = 0;
    // Reads what the host shows now.
    virtual void read(const ui::ControlHost& host, const ui::ReadFilter& filter = {}) = 0;
};

// A section for the object's lifetime.
class WalkSection {
public:
    WalkSection(PageWalk& walk, const QString& key, const QString& title = {}) : walk_(walk)
    {
        walk_.enter(key, title);
    }
    ~WalkSection() { walk_.leave(); }
    WalkSection(const WalkSection&) = delete;
    WalkSection& operator=(const WalkSection&) = delete;

private:
    PageWalk& walk_;
};

// Loads the dialog's controls as opening it would and reads them, under its title.
void readDialog(PageWalk& walk, const QString& key, ui::Dialog& dialog);
// Shows each page of the sheet in turn, off screen, and reads it under its caption, all
// under the sheet's title. Leaving a page commits it into the record the sheet edits: the
// caller puts the record back, as Cancel does.
void readSheet(PageWalk& walk, const QString& key, ui::PropertySheet& sheet);
// What the selectors show, joined: "Zone 2, Timer 1".
QString selectionTitle(const ui::ControlHost& host, std::initializer_list<int> ids);
// A section key with its index: "timer1".
QString indexedKey(const char* name, int index);

}  // namespace velmar::editor
