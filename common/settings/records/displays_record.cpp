#include "records/displays_record.h"

namespace velmar {

namespace {
constexpr int kMain = 0, kZone2 = 1;
constexpr int kHigh = 0, kMedium = 1, kLow = 2;

constexpr int kNoChoice = -1;

int takeOsInfo(const SettingsStore& store, int zone)
{
    return store.osInfoIsChoice(zone) ? store.osInfo(zone) : kNoChoice;
}

void putOsInfo(SettingsStore& store, int zone, int choice, int loadedMask)
{
    if (choice < 0)
        store.setOsInfoMask(zone, loadedMask);
    else
        store.setOsInfo(zone, choice);
}
}  // namespace

void DisplaysRecord::loadFromStore(const SettingsStore& store)
{
    mainOnScreen = store.onScreen(kMain);
    mainOsInfo = takeOsInfo(store, kMain);
    mainOsInfoMask = store.osInfoMask(kMain);
    mainOsPosition = store.osPosition(kMain);
    mainOsColor = store.osColor(kMain);
    zone2OnScreen = store.onScreen(kZone2);
    zone2OsInfo = takeOsInfo(store, kZone2);
    zone2OsInfoMask = store.osInfoMask(kZone2);
    zone2OsPosition = store.osPosition(kZone2);
    zone2OsColor = store.osColor(kZone2);
    wakeUp = store.frontPanelWakeUp();
    functionTimeout = store.functionTimeout();
    brightLow = store.brightness(kLow);
    brightMedium = store.brightness(kMedium);
    brightHigh = store.brightness(kHigh);
}

void DisplaysRecord::saveToStore(SettingsStore& store) const
{
    store.setOnScreen(kMain, mainOnScreen);
    putOsInfo(store, kMain, mainOsInfo, mainOsInfoMask);
    store.setOsPosition(kMain, mainOsPosition);
    store.setOsColor(kMain, mainOsColor);
    store.setOnScreen(kZone2, zone2OnScreen);
    putOsInfo(store, kZone2, zone2OsInfo, zone2OsInfoMask);
    store.setOsPosition(kZone2, zone2OsPosition);
    store.setOsColor(kZone2, zone2OsColor);
    store.setFrontPanelWakeUp(wakeUp);
    store.setFunctionTimeout(functionTimeout);
    store.setBrightness(kLow, brightLow);
    store.setBrightness(kMedium, brightMedium);
    store.setBrightness(kHigh, brightHigh);
}

}  // namespace velmar
