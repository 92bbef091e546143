#include "app/status_line_host.h"

#include "ui/busy.h"

namespace velmar::editor {

void StatusLineHost::show(const std::string& text, workflows::Shown)
{
    line_ = text;
    refresh_();
}

bool StatusLineHost::onUnit(const std::function<bool()>& operation)
{
    bool ok = false;
    ui::runKeepingWindowAlive([&] { ok = operation(); });
    return ok;
}

}  // namespace velmar::editor
