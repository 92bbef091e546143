#include "virtual_actions.h"

#include "installer/firmware/firmware_images.h"
#include "settings/settings_store.h"
#include "unitlink/settings_file.h"
#include "upgrade/firmware_set.h"
#include "upgrade/upgrade_procedure.h"
#include "workflows/unit_workflow.h"

namespace velmar::bench {

namespace {

struct SilentHost final : workflows::WorkflowHost, installer::UpgradeHost {
    void show(const std::string&, workflows::Shown) override {}
    void notify(const std::string&) override {}
    bool abortRequested() const override { return false; }
};

}  // namespace

VirtualUnit::VirtualUnit(sim::UnitConfig config, uint32_t adapterLatencyMs)
    : unit_(std::move(config)), port_(clock_), counting_(port_),
      countingClock_(clock_, [this] { return static_cast<int64_t>(clock_.nowNs()); })
{
    port_.addPort("COM1", &unit_, adapterLatencyMs);
}

template <typename Action>
ModelRun VirtualUnit::run(const Action& action)
{
    const uint64_t start = clock_.nowNs();
    const double wire = counting_.wireSeconds;
    const double waits = countingClock_.waitSeconds;
    const uint64_t writes = unit_.settingsWrites();
    const uint64_t handOvers = port_.adapterTimerHandOvers();
    ModelRun r;
    r.ok = action(r);
    r.seconds = static_cast<double>(clock_.nowNs() - start) / 1e9;
    r.wireSeconds = counting_.wireSeconds - wire;
    r.waitSeconds = countingClock_.waitSeconds - waits;
    r.unitSeconds = static_cast<double>(unit_.settingsWrites() - writes) * unit_.config().eepromWriteUs / 1e6;
    r.timerHandOvers = port_.adapterTimerHandOvers() - handOvers;
    return r;
}

ModelRun VirtualUnit::backup(const std::string& path)
{
    return run([&](ModelRun&) {
        unitlink::UnitLink link(Variant::Editor, counting_, countingClock_);
        NoProgress progress;
        SilentHost host;
        SettingsStore store;
        return workflows::UnitWorkflow(link, progress, host).retrieveToFile(store, path);
    });
}

ModelRun VirtualUnit::restore(const std::string& path, bool everyByte)
{
    return run([&](ModelRun& r) {
        unitlink::UnitLink link(Variant::Editor, counting_, countingClock_);
        NoProgress progress;
        SilentHost host;
        SettingsStore store;
        const auto read = [&](Image& image, std::string& message) { return readSettingsFile(path, image, message); };
        const auto write = everyByte ? unitlink::SettingsWrite::EveryByte : unitlink::SettingsWrite::OnlyDiffering;
        const bool ok = workflows::UnitWorkflow(link, progress, host).programFile(store, read, false, write);
        r.bytesWritten = link.settingsBytesWritten();
        return ok;
    });
}

ModelRun VirtualUnit::verify()
{
    return run([&](ModelRun&) {
        unitlink::UnitLink link(Variant::Installer, counting_, countingClock_);
        NoProgress progress;
        std::string message;
        return link.DetectUnit(message) && link.OpenPort(message) &&
               link.VerifyFlash(message, progress, firmware::mainImage());
    });
}

ModelRun VirtualUnit::upgrade()
{
    return run([&](ModelRun&) {
        unitlink::UnitLink link(Variant::Installer, counting_, countingClock_);
        NoProgress progress;
        SilentHost host;
        SettingsStore store(Variant::Installer);
        installer::UpgradeHistory history;
        const auto firmware = installer::embeddedFirmware();
        return installer::UpgradeProcedure(link, store, progress, host, history, firmware).run().succeeded;
    });
}

}  // namespace velmar::bench
