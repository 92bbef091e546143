// Real time taken by whole port scans in virtual time (editor COM1-COM6, installer COM1-COM8,
// no unit anywhere).
#include <cstdio>

#include "platform/clock.h"
#include "platform/virtual_clock.h"
#include "simulator/simulated_serial_port.h"
#include "unitlink/unit_link.h"

using namespace velmar;

int main()
{
    for (Variant v : {Variant::Editor, Variant::Installer}) {
        platform::VirtualClock clock;
        sim::SimulatedSerialPort port(clock);
        for (int i = 1; i <= 8; ++i)
            port.addPort("COM" + std::to_string(i));
        unitlink::UnitLink link(v, port, clock);
        std::string message;
        const int64_t start = platform::monotonicNs();
        static_cast<void>(link.DetectUnit(message));  // no unit: the scan runs to its end and fails
        const double realMs = static_cast<double>(platform::monotonicNs() - start) / 1e6;
        std::printf("%s scan with no unit: %.1f s virtual in %.2f ms real\n",
                    v == Variant::Editor ? "editor   " : "installer", clock.elapsedMs() / 1000.0, realMs);
    }
    return 0;
}
