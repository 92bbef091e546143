#include "records/displays_record.h"

namespace velmar {

namespace {
constexpr int kMain = 0, kZone2 = 1;
constexpr int kHigh = 0, kMedium = 1, kLow = 2;
}  // namespace

void DisplaysRecord::loadFromStore(const SettingsStore& store) {
    mainOnScreen = store.onScreen(kMain);
    mainOsInfo = store.osInfo(kMain);
    mainOsPosition = store.osPosition(kMain);
    mainOsColor = store.osColor(kMain);
    zone2OnScreen = store.onScreen(kZone2);
    zone2OsInfo = store.osInfo(kZone2);
    zone2OsPosition = store.osPosition(kZone2);
    zone2OsColor = store.osColor(kZone2);
    wakeUp = store.frontPanelWakeUp();
    functionTimeout = store.functionTimeout();
    brightLow = store.brightness(kLow);
    brightMedium = store.brightness(kMedium);
    brightHigh = store.brightness(kHigh);
}

void DisplaysRecord::saveToStore(SettingsStore& store) const {
    store.setOnScreen(kMain, mainOnScreen);
    store.setOsInfo(kMain, mainOsInfo);
    store.setOsPosition(kMain, mainOsPosition);
    store.setOsColor(kMain, mainOsColor);
    store.setOnScreen(kZone2, zone2OnScreen);
    store.setOsInfo(kZone2, zone2OsInfo);
    store.setOsPosition(kZone2, zone2OsPosition);
    store.setOsColor(kZone2, zone2OsColor);
    store.setFrontPanelWakeUp(wakeUp);
    store.setFunctionTimeout(functionTimeout);
    store.setBrightness(kLow, brightLow);
    store.setBrightness(kMedium, brightMedium);
    store.setBrightness(kHigh, brightHigh);
}

}  // namespace velmar
