#pragma once

// What a page or dialog shows, read off its controls as a user reads them: row by row, the
// caption at the start of a row and the values after it, units and stand-in texts ("Off",
// "Preset") included. Nothing here knows a setting; it copies what the controls show.
#include <QString>
#include <optional>
#include <vector>

#include "ui/page_builder.h"

namespace velmar::ui {

class ControlHost;

// One value as a control shows it.
struct ShownPart {
    enum class Kind {
        Text,      // an edit, a list's choice, a radio group's choice, a button or a label
        Check,     // a check box
        NoChoice,  // a list or radio group showing no choice
    };
    Kind kind = Kind::Text;
    QString text{};
    bool checked = false;
    // NoChoice: the value the control was loaded with and cannot show, when there was one.
    std::optional<int> stored{};
    bool enabled = true;
    int id = kNoId;  // the control's id (a radio group: its checked button, else its first)
};

struct ShownRow {
    // Where the row stands among the host's rows: the same in every instance of one page or
    // dialog class, whatever its settings show or hide.
    QString key;
    QString group;  // the title of the framed box around the row, if any
    QString caption;
    std::vector<ShownPart> parts;
};

struct ReadFilter {
    std::vector<int> skip{};  // controls not read: selectors, buttons that open something
    std::vector<int> only{};  // when not empty, only rows holding one of these controls
};

// The rows of visible controls in the order they stand. A row's caption is the label it
// starts with (a row that starts with a gap continues the caption of the row above; one
// without a caption takes its box's title); a check box with its own text, and a control under
// a column heading, make a row of their own. Trackbars are left out: their edits show the value.
std::vector<ShownRow> readShownRows(const ControlHost& host, const ReadFilter& filter = {});

}  // namespace velmar::ui
