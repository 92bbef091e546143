#pragma once

// The whole upgrade of a unit to the firmware the installer carries: find the unit, check
// the hardware, then either refresh the data EEPROM or flash the loader, carry the settings
// over in the new layout, program the data EEPROM and flash and verify the main firmware.
// Runs on one thread; talks to its host through the status text and the abort request.

#include <string>

#include "settings/settings_store.h"
#include "unitlink/progress_sink.h"
#include "unitlink/unit_link.h"
#include "upgrade/firmware_set.h"

namespace velmar::installer {

// The side that shows the procedure's progress: the installer's dialog, or a terminal.
class UpgradeHost {
public:
    virtual ~UpgradeHost() = default;
    // Show the status text now; the procedure waits until this returns.
    virtual void notify(const std::string& status) = 0;
    // Read between steps: an operation under way always finishes first.
    virtual bool abortRequested() const = 0;
    // A long operation starts or ends (the wait cursor).
    virtual void setBusy(bool) {}
};

// Outlives single runs: two failed data-EEPROM refreshes make the next run a full update.
struct UpgradeHistory {
    int eepromFailures = 0;
};

enum class HardwareCheck { NotRun = -1, DoesNotApply = 0, Applies = 1, Undetermined = 3 };

struct UpgradeOutcome {
    bool aborted = false;
    bool succeeded = false;  // ended with "... code update complete." or "... up to date. All done !!"
    std::string status;
};

class UpgradeProcedure {
public:
    UpgradeProcedure(unitlink::UnitLink& link, SettingsStore& store, ProgressSink& progress, UpgradeHost& host,
                     UpgradeHistory& history, const FirmwareSet& firmware);

    // One run, start to end; the unit link is reset first and left in normal operation.
    UpgradeOutcome run();

    // Asks the unit which DSP module it carries; sets the status where the check decides.
    HardwareCheck CheckDspModule();

private:
    enum class Next { End, FullUpdate };

    void findAndUpgrade();
    Next upToDatePath();
    void fullUpdate();

    bool aborted() const { return host_.abortRequested(); }
    void notify() { host_.notify(status_); }
    void say(std::string text);
    bool openOrNotify();
    bool enterLoaderOrNotify();
    // Leaves the debug monitor on the way out, as far as the unit lets it.
    void leaveDebugMonitor();

    unitlink::UnitLink& link_;
    SettingsStore& store_;
    ProgressSink& progress_;
    UpgradeHost& host_;
    UpgradeHistory& history_;
    const FirmwareSet& firmware_;
    std::string status_;
    HardwareCheck hardwareCheck_ = HardwareCheck::NotRun;
};

}  // namespace velmar::installer
