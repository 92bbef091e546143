#pragma once

#include "ui/dialog.h"

namespace velmar::ui {

// Runs a modal editor that changes record in place; unless it ends with OK the record gets
// back what it held before. run returns true for OK. True when the edit was kept.
template <class Record, class Run>
bool keepOnOk(Record& record, Run&& run)
{
    const Record kept = record;
    if (run())
        return true;
    record = kept;
    return false;
}

// The same for a Dialog bound to the record.
template <class Record>
bool editModally(Record& record, Dialog& editor)
{
    return keepOnOk(record, [&editor] { return editor.doModal() == kIdOk; });
}

}  // namespace velmar::ui
