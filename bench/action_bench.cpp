// Whole user actions, velmarctl's process start to exit, against unit_simulator at 115200 bit/s
// with a settings EEPROM write time of 4 ms a byte (or EEPROM_WRITE_US), the unit reached on a
// direct line and through USB serial adapters of 1 and 16 ms latency: backup; restore of (a)
// the file just backed up, (b) that file with one setting changed, (c) factory defaults onto a
// unit whose settings differ in most bytes (on the direct line also with --every-byte, which
// writes every byte as programming did before it read first); verify; a full upgrade. Prints
// a row per action and latency:
//   ACTION latency_ms real_s model_s floor_s wire_s unit_s waits_s timer_waits wrote
// real_s is the process's wall time. The rest comes from the same action run through the same
// code in virtual time against the in-process simulated unit and adapter: model_s its time,
// floor_s = wire_s + unit_s + waits_s the line time of every byte it exchanged, the unit's own
// EEPROM writes and the waits the protocol prescribes; timer_waits counts the replies the
// adapter held until its latency timer ran out (in lockstep, every exchange); wrote the
// settings bytes a restore wrote. With --repeat R the rounds run R times over, each action's
// rows one after the other in time, and the goals take the median of each action's real times.
// Then the goals as ratios of real times within this run (the model's beside them) and the
// machine's load average before and after: ratios mean something only within one run on a
// quiet machine.
//   bench_actions [--latency MS]... [--repeat R] [--eeprom-write-us N]
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "child_process.h"
#include "settings/image_codec.h"
#include "settings/settings_store.h"
#include "unitlink/settings_file.h"
#include "virtual_actions.h"

using namespace velmar;

namespace {

constexpr uint32_t kEepromWriteUs = 4000;
constexpr uint32_t kLongestEepromWriteUs = 100'000;
constexpr uint32_t kLatenciesMs[] = {0, 1, 16};

struct Row {
    std::string action;
    uint32_t latencyMs;
    double realSeconds;
    bool ok;
    bench::ModelRun model;
};

struct Options {
    std::vector<uint32_t> latencies;
    uint32_t repeat = 1;
    uint32_t eepromWriteUs = kEepromWriteUs;
};

bool parseNumber(std::string_view text, uint32_t& value, uint32_t most)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value <= most;
}

bool parseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; i += 2) {
        const std::string_view name = argv[i];
        if (i + 1 >= argc)
            return false;
        uint32_t value = 0;
        if (name == "--latency" && parseNumber(argv[i + 1], value, 255))
            options.latencies.push_back(value);
        else if (name == "--eeprom-write-us" && parseNumber(argv[i + 1], value, kLongestEepromWriteUs))
            options.eepromWriteUs = value;
        else if (name == "--repeat" && parseNumber(argv[i + 1], value, 100) && value > 0)
            options.repeat = value;
        else
            return false;
    }
    if (options.latencies.empty())
        options.latencies.assign(std::begin(kLatenciesMs), std::end(kLatenciesMs));
    return true;
}

std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one;
    in >> one;
    return one.empty() ? "?" : one;
}

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A unit whose settings differ from the factory's in most bytes: markers of a programmed flash,
// then a pattern.
std::vector<uint8_t> patternedSettings()
{
    std::vector<uint8_t> bytes(kImageSize);
    for (size_t a = 0; a < bytes.size(); ++a)
        bytes[a] = static_cast<uint8_t>(a * 7 + 3);
    bytes[0] = bytes[1] = 'v';
    bytes[2] = 0x0C;
    return bytes;
}

// The file with one setting changed as the editor changes it: the Current set's input level
// of one source, the set encoded again with its check word.
bool changeOneSetting(const std::string& from, const std::string& to)
{
    SettingsStore store;
    std::string message;
    if (!readSettingsFile(from, store.readImage, message))
        return false;
    copyReadToWrite(store);
    decodeSet(store, kCurrentBase);
    store.setInputLevel(2, store.inputLevel(2) == -6 ? -5 : -6);
    encodeSet(store, kCurrentBase);
    return writeSettingsFile(to, store.writeImage, message);
}

// A unit_simulator process for one round of actions; stopped (its link removed) when done.
class Simulator {
public:
    Simulator(const std::string& dir, uint32_t latencyMs, uint32_t eepromWriteUs, std::vector<std::string> more)
        : link_(dir + "/ttyVELMAR")
    {
        std::vector<std::string> args{UNIT_SIMULATOR_PATH,
                                      "--link",
                                      link_,
                                      "--model",
                                      "QRX 30",
                                      "--reply-delay-ms",
                                      "0",
                                      "--eeprom-write-us",
                                      std::to_string(eepromWriteUs),
                                      "--adapter-latency-ms",
                                      std::to_string(latencyMs)};
        args.insert(args.end(), more.begin(), more.end());
        pid_ = bench::spawn(args, bench::ChildOutput::Quiet);
        bench::waitForLink(link_);
    }
    ~Simulator()
    {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;
    const std::string& link() const { return link_; }

private:
    std::string link_;
    pid_t pid_;
};

sim::UnitConfig unitConfig(uint32_t eepromWriteUs, const std::string& version = "2.20")
{
    sim::UnitConfig c;
    c.model = "QRX 30";
    c.version = version;
    c.replyDelayMs = 0;
    c.eepromWriteUs = eepromWriteUs;
    return c;
}

class Bench {
public:
    explicit Bench(Options options) : options_(std::move(options))
    {
        char pattern[] = "/tmp/velmar-actions-XXXXXX";
        dir_ = mkdtemp(pattern) ? pattern : "";
    }
    ~Bench()
    {
        if (!dir_.empty())
            std::filesystem::remove_all(dir_);
    }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    bool run();
    void printGoals() const;

private:
    std::string file(const std::string& name) const { return dir_ + "/" + name; }
    // Times one velmarctl run and prints its row beside the model's run of the same action.
    void measure(const std::string& action, uint32_t latencyMs, std::vector<std::string> args,
                 const bench::ModelRun& model);
    void settingsRound(uint32_t latencyMs);
    void everyByteRound();
    void flashRound(uint32_t latencyMs);
    // The run of the action whose real time is the median of its repetitions.
    const Row* find(const std::string& action, uint32_t latencyMs) const;

    Options options_;
    std::string dir_;
    std::vector<Row> rows_;
};

void Bench::measure(const std::string& action, uint32_t latencyMs, std::vector<std::string> args,
                    const bench::ModelRun& model)
{
    args.insert(args.begin(), VELMARCTL_PATH);
    const int64_t start = platform::monotonicNs();
    const pid_t pid = bench::spawnInto(args, file("velmarctl.out"));
    int status = -1;
    waitpid(pid, &status, 0);
    const double seconds = static_cast<double>(platform::monotonicNs() - start) / 1e9;
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    rows_.push_back(Row{action, latencyMs, seconds, ok, model});
    std::printf("%-24s %3u %8.2f %8.2f %8.2f %7.2f %7.2f %7.2f %6llu %5zu%s%s\n", action.c_str(), latencyMs, seconds,
                model.seconds, model.floorSeconds(), model.wireSeconds, model.unitSeconds, model.waitSeconds,
                static_cast<unsigned long long>(model.timerHandOvers), model.bytesWritten, ok ? "" : "  FAILED",
                model.ok ? "" : "  MODEL FAILED");
    if (!ok)
        std::printf("#   %s", readText(file("velmarctl.out")).c_str());
    std::fflush(stdout);
}

void Bench::settingsRound(uint32_t latencyMs)
{
    const auto settings = patternedSettings();
    std::ofstream(file("unit.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(settings.data()), static_cast<std::streamsize>(settings.size()));
    Simulator sim(dir_, latencyMs, options_.eepromWriteUs, {"--eeprom", file("unit.bin")});
    bench::VirtualUnit model(unitConfig(options_.eepromWriteUs), latencyMs);
    model.unit().memory().settings = settings;
    const std::string ports = sim.link();
    measure("restore (c) defaults", latencyMs, {"restore", file("defaults.q20"), "--ports", ports},
            model.restore(file("defaults.q20"), false));
    measure("backup", latencyMs, {"backup", file("backup.q20"), "--ports", ports}, model.backup(file("model.q20")));
    measure("restore (a) as backed up", latencyMs, {"restore", file("backup.q20"), "--ports", ports},
            model.restore(file("model.q20"), false));
    changeOneSetting(file("backup.q20"), file("changed.q20"));
    changeOneSetting(file("model.q20"), file("model-changed.q20"));
    measure("restore (b) one changed", latencyMs, {"restore", file("changed.q20"), "--ports", ports},
            model.restore(file("model-changed.q20"), false));
}

void Bench::everyByteRound()
{
    const auto settings = patternedSettings();
    std::ofstream(file("unit.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(settings.data()), static_cast<std::streamsize>(settings.size()));
    Simulator sim(dir_, 0, options_.eepromWriteUs, {"--eeprom", file("unit.bin")});
    bench::VirtualUnit model(unitConfig(options_.eepromWriteUs), 0);
    model.unit().memory().settings = settings;
    measure("restore (c) every byte", 0, {"restore", file("defaults.q20"), "--every-byte", "--ports", sim.link()},
            model.restore(file("defaults.q20"), true));
}

void Bench::flashRound(uint32_t latencyMs)
{
    Simulator sim(dir_, latencyMs, options_.eepromWriteUs, {"--version", "0.90"});
    bench::VirtualUnit model(unitConfig(options_.eepromWriteUs, "0.90"), latencyMs);
    measure("upgrade", latencyMs, {"upgrade", "--ports", sim.link()}, model.upgrade());
    measure("verify", latencyMs, {"verify", "--ports", sim.link()}, model.verify());
}

bool Bench::run()
{
    if (dir_.empty())
        return false;
    const pid_t defaults = bench::spawn({VELMARCTL_PATH, "defaults", file("defaults.q20")}, bench::ChildOutput::Quiet);
    int status = -1;
    waitpid(defaults, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    std::printf("# %-22s %3s %8s %8s %8s %7s %7s %7s %6s %5s\n", "action", "lat", "real_s", "model_s", "floor_s",
                "wire_s", "unit_s", "waits_s", "timer", "wrote");
    for (uint32_t round = 0; round < options_.repeat; ++round) {
        for (const uint32_t latency : options_.latencies) {
            settingsRound(latency);
            if (latency == 0)
                everyByteRound();
            flashRound(latency);
        }
    }
    for (const Row& row : rows_) {
        if (!row.ok || !row.model.ok)
            return false;
    }
    return true;
}

const Row* Bench::find(const std::string& action, uint32_t latencyMs) const
{
    std::vector<const Row*> runs;
    for (const Row& row : rows_) {
        if (row.action == action && row.latencyMs == latencyMs)
            runs.push_back(&row);
    }
    if (runs.empty())
        return nullptr;
    std::sort(runs.begin(), runs.end(), [](const Row* a, const Row* b) { return a->realSeconds < b->realSeconds; });
    return runs[runs.size() / 2];
}

void Bench::printGoals() const
{
    const auto ratio = [&](const char* what, const Row* a, const Row* b, double most) {
        if (!a || !b)
            return;
        const double real = a->realSeconds / b->realSeconds;
        std::printf("goal %-46s %5.2f (model %5.2f) at most %.2f%s\n", what, real, a->model.seconds / b->model.seconds,
                    most, real <= most ? "" : "  MISSED");
    };
    ratio("backup 16 ms / 0 ms", find("backup", 16), find("backup", 0), 1.25);
    ratio("verify 16 ms / 0 ms", find("verify", 16), find("verify", 0), 1.25);
    for (const uint32_t latency : kLatenciesMs) {
        const std::string at = " / backup at " + std::to_string(latency) + " ms";
        ratio(("restore (a)" + at).c_str(), find("restore (a) as backed up", latency), find("backup", latency), 1.15);
        ratio(("restore (b)" + at).c_str(), find("restore (b) one changed", latency), find("backup", latency), 1.15);
    }
    ratio("restore (c) / every byte at 0 ms", find("restore (c) defaults", 0), find("restore (c) every byte", 0), 1.10);
    const Row* slow = find("upgrade", 16);
    const Row* direct = find("upgrade", 0);
    ratio("upgrade 16 ms / 0 ms", slow, direct, 1.30);
    if (slow && direct) {
        // In lockstep an exchange waiting for the timer takes at least 16 ms from one hand-over to
        // the next, so those exchanges alone set a least time, whatever the rest of the run.
        const double lockstepSeconds = static_cast<double>(slow->model.timerHandOvers) * 0.016;
        std::printf(
            "     upgrade at 16 ms: %llu lockstep exchanges wait for the adapter's timer, at least 16 ms "
            "each: %.1f s, so at least %.2f x the upgrade at 0 ms (%.1f s)\n",
            static_cast<unsigned long long>(slow->model.timerHandOvers), lockstepSeconds,
            lockstepSeconds / direct->realSeconds, direct->realSeconds);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: bench_actions [--latency MS]... [--repeat R] [--eeprom-write-us N]   (N 0 to %u, "
                     "default %u)\n",
                     kLongestEepromWriteUs, kEepromWriteUs);
        return 2;
    }
    const std::string loadBefore = loadAverage();
    std::printf("# bench_actions: unit_simulator at 115200 bit/s, EEPROM write %u us a byte\n", options.eepromWriteUs);
    Bench bench(options);
    const bool ok = bench.run();
    bench.printGoals();
    std::printf("# load average (1 min): %s before, %s after\n", loadBefore.c_str(), loadAverage().c_str());
    return ok ? 0 : 1;
}
