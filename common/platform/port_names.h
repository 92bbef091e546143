#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmar::platform {

// Resolves the unit link's "COM%d" names to device paths: COM1 is the first path, COM2 the second...
// Names that are not "COM<n>" are taken as paths unchanged. On Windows the "paths" are the
// system's own port names: with "--ports COM3,COM4" the link's COM1 opens COM3.
class PortNames {
public:
    PortNames() = default;
    explicit PortNames(std::vector<std::string> paths) : paths_(std::move(paths)) {}

#ifdef _WIN32
    // The COM ports the system has (as its serial drivers list them), by number. Never opens a port.
    static PortNames discover();
#else
    // The serial devices present, in a stable order: /dev/ttyUSB*, /dev/ttyACM*, then /dev/ttyS*
    // that have real hardware (their sysfs `type` is not 0). Never opens a port.
    static PortNames discover(const std::string& sysClassTty = "/sys/class/tty", const std::string& devDir = "/dev");
#endif
    // Port names as Windows gives them ("COM3", "COM10", ...), ordered by number.
    static PortNames fromComNames(std::vector<std::string> names);
    // A comma-separated list ("--ports /dev/ttyUSB0,/dev/pts/4").
    static PortNames fromList(std::string_view commaSeparated);
    // Precedence: an explicit --ports list, then the VELMAR_PORTS environment variable (for test
    // harnesses), then discover().
    static PortNames select(std::string_view portsOption);

    std::optional<std::string> resolve(std::string_view name) const;
    const std::vector<std::string>& paths() const { return paths_; }

    // "COM7" -> 7; anything else -> nullopt.
    static std::optional<int> comNumber(std::string_view name);

private:
    std::vector<std::string> paths_;
};

}  // namespace velmar::platform
