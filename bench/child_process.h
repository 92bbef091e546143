#pragma once
#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace velmar::bench {

// What a bench child prints that the bench does not read.
enum class ChildOutput { Shown, StdoutQuiet, Quiet };

// Starts args[0] with the arguments after it; -1 when fork fails (a failed exec exits 127).
pid_t spawn(std::vector<std::string> args, ChildOutput output);
// The same with the child's standard output into the file at `path` and its errors dropped.
pid_t spawnInto(std::vector<std::string> args, const std::string& path);

// User plus system time in a resource usage.
double cpuSeconds(const rusage& usage);

// Waits (up to five seconds) until a simulator has made its link to the pseudo-terminal.
bool waitForLink(const std::string& link);

}  // namespace velmar::bench
