// Transfer speed against unit_simulator on a pseudo-terminal at 115200 bit/s, the simulator
// adding no delay of its own but taking kEepromWriteUs (or the microseconds given as the one
// argument) for every settings byte it writes. For each operation it prints
//   NAME bytes=N wire_s=X unit_s=U actual_s=Y ratio=R cpu=P%
// where wire_s is the line time of every byte exchanged (10 bits each at the rate it crossed
// at), unit_s the time the unit spends writing its settings EEPROM, actual_s the operation's
// wall time less the fixed waits the protocol prescribes (the Clock's delays: boot times,
// banner waits), ratio actual_s / (wire_s + unit_s), and cpu the host process's user + system
// time over the whole wall time. A "#" line gives the waits.
// Programming the settings writes every byte (the unit holds the image just retrieved, so only
// its reads would run otherwise) in lockstep, one exchange per command, so its line also gives
//   exchanges=E floor_us=F net_ratio=Q
// where floor_us is what a bare one-byte round trip through a pseudo-terminal costs beyond its
// wire time, measured just before and after the operation (the test bed's own share, which a
// serial line has in another form), and net_ratio (actual_s - E * floor_us) / (wire_s + unit_s):
// what the link's code and the simulator's work add.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "installer/firmware/firmware_images.h"
#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/posix_serial_port.h"
#include "child_process.h"
#include "counting_port.h"
#include "pty_ping_pong.h"
#include "unitlink/loader_rules.h"
#include "unitlink/progress_sink.h"
#include "unitlink/unit_link.h"

using namespace velmar;

namespace {

// An ATmega103's EEPROM takes up to 4 ms a byte (its self-timed write), an ATmega128's 8.5 ms.
// The shorter time leaves the link's own overhead the larger share, so it is the harder test.
constexpr uint32_t kEepromWriteUs = 4000;
constexpr uint32_t kLongestEepromWriteUs = 100'000;
// The floor's round trips, and how long the far end holds each: about a lockstep exchange's
// wait for its reply (a command of one to three bytes and the reply, at 115200 bit/s).
constexpr int kFloorTrips = 2000;
constexpr uint32_t kFloorDelayUs = 300;

double ownCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return bench::cpuSeconds(u);
}

bool parseMicroseconds(std::string_view text, uint32_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value <= kLongestEepromWriteUs;
}

}  // namespace

int main(int argc, char** argv)
{
    uint32_t eepromWriteUs = kEepromWriteUs;
    if (argc > 2 || (argc == 2 && !parseMicroseconds(argv[1], eepromWriteUs))) {
        std::fprintf(stderr, "usage: transfer_bench [EEPROM_WRITE_US]   (0 to %u, default %u)\n", kLongestEepromWriteUs,
                     kEepromWriteUs);
        return 2;
    }
    const std::string link = "/tmp/velmar-transfer-bench-" + std::to_string(getpid());
    const pid_t sim = bench::spawn({UNIT_SIMULATOR_PATH, "--link", link, "--model", "QRX 30", "--reply-delay-ms", "0",
                                    "--eeprom-write-us", std::to_string(eepromWriteUs)},
                                   bench::ChildOutput::StdoutQuiet);
    bench::waitForLink(link);

    platform::PosixSerialPort posix(platform::PortNames({link}));
    bench::CountingPort port(posix);
    platform::RealClock realClock;
    bench::CountingClock clock(realClock, platform::monotonicNs);
    unitlink::UnitLink unit(Variant::Installer, port, clock);
    NoProgress progress;
    std::string message;
    bool allOk = unit.DetectUnit(message) && unit.OpenPort(message);

    auto measure = [&](const char* name, double unitSeconds, bool lockstep, const auto& operation) {
        const double floorBefore = lockstep ? bench::ptyRoundTripOverheadUs(kFloorTrips, kFloorDelayUs) : 0.0;
        const uint64_t bytes0 = port.bytes;
        const uint64_t writes0 = port.writes;
        const double wire0 = port.wireSeconds;
        const double waits0 = clock.waitSeconds;
        const double cpu0 = ownCpuSeconds();
        const int64_t start = platform::monotonicNs();
        const bool ok = operation();
        const double total = static_cast<double>(platform::monotonicNs() - start) / 1e9;
        const double wire = port.wireSeconds - wire0;
        const double waits = clock.waitSeconds - waits0;
        const double actual = total - waits;
        const double cpu = 100.0 * (ownCpuSeconds() - cpu0) / total;
        std::printf("%s bytes=%llu wire_s=%.3f unit_s=%.3f actual_s=%.3f ratio=%.3f cpu=%.1f%%", name,
                    static_cast<unsigned long long>(port.bytes - bytes0), wire, unitSeconds, actual,
                    actual / (wire + unitSeconds), cpu);
        if (lockstep) {
            const double floorAfter = bench::ptyRoundTripOverheadUs(kFloorTrips, kFloorDelayUs);
            const double floorUs = (floorBefore + floorAfter) / 2;
            const uint64_t exchanges = port.writes - writes0;
            std::printf(" exchanges=%llu floor_us=%.1f net_ratio=%.3f", static_cast<unsigned long long>(exchanges),
                        floorUs, (actual - static_cast<double>(exchanges) * floorUs / 1e6) / (wire + unitSeconds));
            if (floorBefore < 0 || floorAfter < 0)
                std::printf(" (floor not measured)");
        }
        std::printf("\n");
        std::printf("# %s %s: waits_s=%.3f total_s=%.3f (%s)\n", name, ok ? "ok" : "FAILED", waits, total,
                    message.c_str());
        std::fflush(stdout);
        allOk = allOk && ok;
    };

    Image image{};
    const double writeSeconds = static_cast<double>(unitlink::settingsAddressesWritten(false)) * eepromWriteUs / 1e6;
    if (allOk && unit.EnterLoaderFast(message))
        measure("RetrieveSettings", 0.0, false, [&] { return unit.RetrieveSettings(image, message, progress); });
    if (allOk && unit.EnterLoaderFast(message))
        measure("ProgramSettings", writeSeconds, true, [&] {
            return unit.ProgramSettings(image, message, progress, false, unitlink::SettingsWrite::EveryByte);
        });
    if (allOk && unit.EnterLoaderFast(message))
        measure("ProgramFlash", 0.0, false, [&] {
            return unit.ProgramFlash(message, progress, firmware::mainImage(),
                                     unitlink::UnitLink::FlashImageKind::Main);
        });
    if (allOk && unit.OpenPort(message))
        measure("VerifyFlash", 0.0, false, [&] { return unit.VerifyFlash(message, progress, firmware::mainImage()); });

    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    if (!allOk)
        std::fprintf(stderr, "transfer_bench: %s\n", message.c_str());
    return allOk ? 0 : 1;
}
