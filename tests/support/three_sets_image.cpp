#include "three_sets_image.h"

#include <algorithm>

#include "settings/image_codec.h"
#include "settings/records/settings_record_set.h"
#include "settings/settings_flows.h"

namespace velmar::test {

std::vector<std::uint8_t> threeSetsImage()
{
    SettingsStore s;
    prepareStore(s, false);
    encodeUnitState(s);
    const SetLevels levels{{kCurrentBase, 5}, {kUserBase, 6}, {kInstallerBase, 7}};
    storeBackSets(
        s,
        [&](const NamedSet& set, SettingsStore& store) {
            SettingsRecordSet records;
            records.loadFromStore(store);
            records.inputLevels.level[0] = levels.at(set.base);
            records.saveToStore(store);
        },
        false);
    return {s.writeImage.begin(), s.writeImage.end()};
}

SetLevels firstInputLevels(const std::vector<std::uint8_t>& eeprom)
{
    SettingsStore s;
    std::copy(eeprom.begin(), eeprom.end(), s.readImage.begin());
    SetLevels levels;
    retrieveSets(s, [&](const NamedSet& set, SettingsStore& store) {
        SettingsRecordSet records;
        records.loadFromStore(store);
        levels[set.base] = records.inputLevels.level[0];
    });
    return levels;
}

}  // namespace velmar::test
