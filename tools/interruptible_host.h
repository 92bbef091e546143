#pragma once

#include "unit_session.h"

namespace velmar::tools {

// A terminal host on which Ctrl+C during a settings transfer asks it to stop where nothing is
// half done, so that the unit is let out of its loader; before and after the transfer Ctrl+C
// ends the program as usual. One per process: the signal handler is process-wide.
class InterruptibleHost final : public TerminalWorkflowHost {
public:
    void transferUnderWay(bool underWay) override;
    bool stopRequested() override;
};

}  // namespace velmar::tools
