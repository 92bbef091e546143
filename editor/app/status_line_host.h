#pragma once

#include <functional>
#include <string>

#include "workflows/unit_workflow.h"

namespace velmar::editor {

// Shows a unit workflow on one of the General page's status lines and runs its unit work on
// the worker, with the window painting (see ui::runKeepingWindowAlive).
class StatusLineHost final : public workflows::WorkflowHost {
public:
    // `refresh` puts the line on the screen.
    StatusLineHost(std::string& line, std::function<void()> refresh) : line_(line), refresh_(std::move(refresh)) {}
    void show(const std::string& text, workflows::Shown kind) override;
    bool onUnit(const std::function<bool()>& operation) override;

private:
    std::string& line_;
    std::function<void()> refresh_;
};

}  // namespace velmar::editor
