#pragma once

// Runs velmarctl (VELMARCTL_PATH) to its end with standard error merged into `out`, or makes
// the command for a test that needs more (a memory limit, a signal part-way).
#include <sstream>
#include <string>

#include "child_process.h"

// Test programs built without velmarctl leave VELMARCTL_PATH undefined and skip these tests.
#ifdef VELMARCTL_PATH
namespace velmar::test {

using ToolResult = ProcessResult;

// The arguments are split at white space (no quoting: scratch paths have no spaces).
inline Command toolCommand(const std::string& arguments, ErrorOutput errors = ErrorOutput::IntoOut)
{
    Command command({VELMARCTL_PATH}, errors);
    std::istringstream words(arguments);
    for (std::string word; words >> word;)
        command.args.push_back(word);
    return command;
}

inline ToolResult runTool(const std::string& arguments, ErrorOutput errors = ErrorOutput::IntoOut)
{
    return runProcess(toolCommand(arguments, errors));
}

}  // namespace velmar::test
#endif
