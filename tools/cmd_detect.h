#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace velmar::tools {

struct DetectOptions {
    std::string ports;       // "--ports PATH,..." (COM1 first); empty: VELMAR_PORTS, then the devices present
    bool installer = false;  // scan as the installer does (COM1-COM8, its model table and texts)
    bool trace = false;      // every byte exchanged, with a timestamp, in hex and ASCII (on stderr)
};

// Runs a scan and prints the result; returns the process exit code (0 found, 1 not found).
int runDetect(const DetectOptions& options, std::ostream& out, std::ostream& traceOut);

}  // namespace velmar::tools

// velmarctl detect [--ports ...] [--installer] [--trace]
void addDetectCommand(CLI::App& app);
