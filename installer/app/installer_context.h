#pragma once

#include <string>

#include "settings/settings_store.h"
#include "upgrade/firmware_set.h"
#include "upgrade/upgrade_procedure.h"

namespace velmar::installer {

// What lives for the whole run of the installer and every upgrade uses.
struct InstallerContext {
    SettingsStore store{Variant::Installer};
    UpgradeHistory history;
    FirmwareSet firmware;
    std::string ports;  // --ports, empty for the serial devices present
};

}  // namespace velmar::installer
