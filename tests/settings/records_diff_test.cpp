// Listing the fields of record sets and the differences between sets and images.
#include <gtest/gtest.h>

#include <set>

#include "image_codec.h"
#include "records/settings_diff.h"

namespace velmar {
namespace {

TEST(RecordFields, EveryFieldHasItsOwnName)
{
    SettingsRecordSet set;
    const auto fields = listFields(set);
    std::set<std::string> names;
    for (const auto& f : fields)
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
    EXPECT_TRUE(names.count("setupPresets.entry[9].dtsEs"));
    EXPECT_TRUE(names.count("timers.entry[2].timer[1].weekendOff.pm"));
    EXPECT_TRUE(names.count("triggers.trigger[2].flag[43]"));
}

TEST(RecordDiff, NamesEachDifferingFieldWithBothValues)
{
    SettingsRecordSet a;
    SettingsRecordSet b = a;
    EXPECT_TRUE(diffRecordSets("User", a, b).empty());
    b.listener.distance[3] = 99;
    b.setupPresets.entry[1].name = "Disc";
    const auto diff = diffRecordSets("User", a, b);
    ASSERT_EQ(diff.size(), 2u);
    EXPECT_EQ(diff[0], (FieldDifference{"User", "listener.distance[3]", "0", "99"}));
    EXPECT_EQ(diff[1], (FieldDifference{"User", "setupPresets.entry[1].name", "\"\"", "\"Disc\""}));
}

TEST(ImageDiff, ReportsTheSetAndTheUnitWideFields)
{
    SettingsStore store;
    prepareStore(store, false);
    for (int base : {kCurrentBase, kUserBase, kInstallerBase})
        encodeSet(store, base);
    const Image first = store.writeImage;
    prepareStore(store, false);
    store.setSourceName(2, "Deck");
    encodeSet(store, kInstallerBase);
    store.unit().unitValue = 5;
    encodeUnitState(store);

    const auto diff = diffImages(decodeImage(first, ModelKind::Qrx20), decodeImage(store.writeImage, ModelKind::Qrx20));
    ASSERT_EQ(diff.size(), 2u);
    EXPECT_EQ(diff[0].set, "Installer");
    EXPECT_EQ(diff[0].field, "setupPresets.entry[2].name");
    EXPECT_EQ(diff[1].set, "Unit");
    EXPECT_EQ(diff[1].field, "unit.unitValue");
}

}  // namespace
}  // namespace velmar
