// The two views of a decoded image: every byte that changes what a set or the unit holds
// shows in the comparison of the view, and nothing else does.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "field_catalog.h"
#include "image_codec.h"
#include "records/settings_diff.h"

namespace velmar {
namespace {

struct Section {
    const char* what;
    int offset;
    bool (*encode)(SettingsStore&);
};

bool encodeUserMainBlock(SettingsStore& s) { return encodeMainBlock(s, kUserBase); }
bool encodeUserPresets(SettingsStore& s) { return encodePresets(s, kUserBase + kPresetBlockOffset); }
bool encodeUserSources(SettingsStore& s) { return encodeSources(s, kUserBase + kSourceBlockOffset); }

// One set's sections and the unit-wide ones; the other sets are read by the same code.
constexpr Section kSections[] = {
    {"main block", kUserBase, encodeUserMainBlock},
    {"preset block", kUserBase + kPresetBlockOffset, encodeUserPresets},
    {"source block", kUserBase + kSourceBlockOffset, encodeUserSources},
    {"unit state", kUnitStateOffset, encodeUnitState},
    {"mode table", kModeTableOffset, encodeModeTable},
    {"system codes", kSystemCodesOffset, encodeSystemCodes},
};

// Changes one byte of a section and gives the section a matching check word again.
Image withByteChanged(Image image, int offset, int length, int at)
{
    ++image[at];
    unsigned sum = 0;
    for (int i = offset; i < offset + length - 2; ++i)
        sum += image[i];
    image[offset + length - 2] = static_cast<std::uint8_t>(sum & 0xFF);
    image[offset + length - 1] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
    return image;
}

// Bytes after a text's terminating 0 are kept but are no part of the text.
template <std::size_t N>
void cutText(std::array<char, N>& text)
{
    std::fill(std::find(text.begin(), text.end(), 0), text.end(), 0);
}
SetFields withTextsCut(SetFields f)
{
    for (auto& name : f.sourceName)
        cutText(name);
    for (auto& name : f.zoneName)
        cutText(name);
    return f;
}
UnitFields withTextsCut(UnitFields u)
{
    cutText(u.systemCodeA);
    cutText(u.systemCodeB);
    cutText(u.identString);
    return u;
}

FieldList listed(SettingsView view, const DecodedSet& set) { return flattenFields("", listSet(view, set)); }

TEST(SettingsViews, EveryChangedByteThatChangesASettingShowsInBothViews)
{
    SettingsStore store;
    store.setModelKind(ModelKind::CorvalentD1);  // the model that keeps every display byte
    prepareStore(store, false);
    for (int base : {kCurrentBase, kUserBase, kInstallerBase})
        encodeSet(store, base);
    std::vector<int> lengths;
    for (const auto& section : kSections) {
        section.encode(store);
        lengths.push_back(store.imagePos - section.offset);
    }
    const Image factory = store.writeImage;
    const DecodedImage before = decodeImage(factory, ModelKind::CorvalentD1);
    ASSERT_TRUE(before.refused.empty());
    const DecodedSet& user = before.sets[1];
    ASSERT_EQ(user.name, "User");
    const FieldList storeView = listed(SettingsView::Store, user), recordsView = listed(SettingsView::Records, user);
    const FieldList unitView = flattenFields("", listUnitFields(before.unit));

    int storeChanges = 0, recordChanges = 0, unitChanges = 0;
    for (std::size_t s = 0; s < std::size(kSections); ++s) {
        const auto& section = kSections[s];
        // Every byte but the version, which only refuses the section, and the check word.
        for (int at = section.offset + 1; at < section.offset + lengths[s] - 2; ++at) {
            SCOPED_TRACE(std::string(section.what) + " byte " + std::to_string(at - section.offset));
            const auto after = decodeImage(withByteChanged(factory, section.offset, lengths[s], at),
                                           ModelKind::CorvalentD1);
            const bool fieldsChanged = withTextsCut(user.fields) != withTextsCut(after.sets[1].fields);
            const bool recordsChanged = user.records != after.sets[1].records;
            const bool unitChanged = withTextsCut(before.unit) != withTextsCut(after.unit);
            EXPECT_EQ(storeView != listed(SettingsView::Store, after.sets[1]), fieldsChanged);
            EXPECT_EQ(recordsView != listed(SettingsView::Records, after.sets[1]), recordsChanged);
            EXPECT_EQ(unitView != flattenFields("", listUnitFields(after.unit)), unitChanged);
            storeChanges += fieldsChanged;
            recordChanges += recordsChanged;
            unitChanges += unitChanged;
        }
    }
    // Most bytes hold a setting; listers that saw nothing would pass the checks above.
    EXPECT_GT(storeChanges, 400);
    EXPECT_GT(recordChanges, 300);
    EXPECT_GT(unitChanges, 100);
}

TEST(SettingsViews, StoreViewNamesTheStoresFieldsWithIndexes)
{
    SettingsStore store;
    prepareStore(store, false);
    for (int base : {kCurrentBase, kUserBase, kInstallerBase})
        encodeSet(store, base);
    const Image first = store.writeImage;
    store.setSourceName(2, "Deck");
    store.setTimerVolume(1, 0, -3);
    encodeSet(store, kUserBase);

    const auto diff = diffImages(decodeImage(first, ModelKind::Qrx20), decodeImage(store.writeImage, ModelKind::Qrx20),
                                 SettingsView::Store);
    ASSERT_EQ(diff.size(), 2u);
    EXPECT_EQ(diff[0], (FieldDifference{"User", "sourceName[2]", "\"TAPE  \"", "\"Deck\""}));
    EXPECT_EQ(diff[1], (FieldDifference{"User", "timerVolume[1][0]", "36", "61"}));
}

TEST(SettingsViews, FormatsListsAndRecordsOnOneLine)
{
    FieldValue record;
    record.kind = FieldValue::Kind::Record;
    record.keys = {"hour", "names"};
    record.items = {integerValue(8), listValue({textValue("A"), textValue("B")})};
    EXPECT_EQ(formatFieldValue(record), "{hour: 8, names: [\"A\", \"B\"]}");
    EXPECT_EQ(flattenFields("x.", {{"", "r", record}}),
              (FieldList{{"x.r.hour", "8"}, {"x.r.names[0]", "\"A\""}, {"x.r.names[1]", "\"B\""}}));
}

}  // namespace
}  // namespace velmar
