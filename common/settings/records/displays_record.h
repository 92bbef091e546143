#pragma once

#include "settings_store.h"

namespace velmar {

// "10. Displays/Timeout": list indexes, seconds and brightness levels.
struct DisplaysRecord {
    int mainOnScreen = 0;
    int mainOsInfo = 0;  // -1: a mask that no choice writes (kept, see the masks below)
    int mainOsPosition = 0;
    int mainOsColor = 0;
    int zone2OnScreen = 0;
    int zone2OsInfo = 0;
    int zone2OsPosition = 0;
    int zone2OsColor = 0;
    int wakeUp = 0;
    int functionTimeout = 0;
    int brightLow = 0;
    int brightMedium = 0;
    int brightHigh = 0;
    // The OS Info zone masks as loaded. A mask that no choice writes (its choice is -1), or
    // whose choice the page's list cannot show, goes back into the store unchanged unless its
    // choice was changed.
    int mainOsInfoMask = 0;
    int zone2OsInfoMask = 0;

    void loadFromStore(const SettingsStore& store);
    void saveToStore(SettingsStore& store) const;
    bool equals(const DisplaysRecord& other) const { return *this == other; }
    void assign(const DisplaysRecord& other) { *this = other; }
    bool operator==(const DisplaysRecord&) const = default;
};

}  // namespace velmar
