// The General page's detection of the unit.
#include "general/general_page.h"
#include "app/progress_bar_sink.h"
#include "app/status_line_host.h"

namespace velmar::editor {

workflows::UnitWorkflow CGeneral::workflowOn(StatusLineHost& line)
{
    return workflows::UnitWorkflow(link_, *progress_, line);
}

bool CGeneral::DetectAndIdentify() { return workflowOn(*unitStatusLine_).identify(store_); }

void CGeneral::OnAutoDetect()
{
    updateData(true);
    if (DetectAndIdentify() && loadFromUnit_)
        RetrieveIntoSets();
}

}  // namespace velmar::editor
