// dump and diff name a setting alike in either view: every difference that diff reports is
// found under the same name in the dump of that view, with the same value.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "run_tool.h"
#include "scratch_dir.h"
#include "settings/image_codec.h"
#include "settings/settings_store.h"
#include "unitlink/settings_file.h"

namespace velmar {
namespace {

using test::runTool;

// A copy of a settings file with a few User settings and a unit-wide one changed.
void writeWithChanges(const std::string& from, const std::string& to)
{
    SettingsStore store;
    std::string message;
    ASSERT_TRUE(readSettingsFile(from, store.readImage, message));
    copyReadToWrite(store);
    prepareStore(store, false);
    ASSERT_TRUE(decodeSet(store, kUserBase));
    store.setInputLevel(2, 7);
    store.setSourceName(4, "Screen");
    store.setTimerSource(1, 0, 5);
    encodeSet(store, kUserBase);
    store.unit().unitValue = 9;
    encodeUnitState(store);
    ASSERT_TRUE(writeSettingsFile(to, store.writeImage, message));
}

// Follows a name such as "timers.entry[1].timer[0].source" through a dump's JSON.
const nlohmann::json* find(const nlohmann::json& root, const std::string& name)
{
    const nlohmann::json* node = &root;
    std::size_t i = 0;
    while (node && i < name.size()) {
        if (name[i] == '.') {
            ++i;
        } else if (name[i] == '[') {
            const std::size_t close = name.find(']', i);
            const auto index = std::stoul(name.substr(i + 1, close - i - 1));
            node = node->is_array() && index < node->size() ? &(*node)[index] : nullptr;
            i = close + 1;
        } else {
            const std::size_t end = std::min(name.find_first_of(".[", i), name.size());
            const std::string key = name.substr(i, end - i);
            node = node->is_object() && node->contains(key) ? &(*node)[key] : nullptr;
            i = end;
        }
    }
    return node;
}

// A dumped value as diff writes it.
std::string asDiffWrites(const nlohmann::json& value)
{
    return value.is_string() ? '"' + value.get<std::string>() + '"' : std::to_string(value.get<long long>());
}

TEST(VelmarctlViews, DiffNamesEveryChangeAsTheDumpOfItsViewDoes)
{
    test::ScratchDir dir;
    const auto a = dir.file("a.q20"), b = dir.file("b.q20");
    ASSERT_EQ(runTool("defaults " + a).status, 0);
    writeWithChanges(a, b);

    struct Expected {
        const char* view;
        const char* changedLevel;  // the input level's name in the view
    };
    for (const Expected& expected : {Expected{"store", "inputLevel[2]"}, Expected{"records", "inputLevels.level[2]"}}) {
        SCOPED_TRACE(expected.view);
        const std::string view = std::string(" --view ") + expected.view + " ";
        const auto diff = runTool("diff --json" + view + a + " " + b);
        EXPECT_EQ(diff.status, 1);
        const auto differences = nlohmann::json::parse(diff.out, nullptr, false);
        const auto dump = runTool("dump --json" + view + b);
        ASSERT_EQ(dump.status, 0) << dump.out;
        const auto dumped = nlohmann::json::parse(dump.out, nullptr, false);
        ASSERT_TRUE(differences.is_array()) << diff.out;
        ASSERT_FALSE(dumped.is_discarded());

        // The level, a name, a timer, and the unit value.
        EXPECT_EQ(differences.size(), 4u) << diff.out;
        bool levelSeen = false;
        for (const auto& d : differences) {
            const std::string set = d["set"], field = d["field"];
            SCOPED_TRACE(set + " " + field);
            const auto* value = set == "Unit" ? find(dumped, field) : find(dumped["sets"][set], field);
            ASSERT_NE(value, nullptr);
            EXPECT_EQ(asDiffWrites(*value), d["b"]);
            levelSeen = levelSeen || (set == "User" && field == expected.changedLevel);
        }
        EXPECT_TRUE(levelSeen);
    }
}

TEST(VelmarctlViews, TextFormsAndDefaults)
{
    test::ScratchDir dir;
    const auto a = dir.file("a.q20"), b = dir.file("b.q20");
    ASSERT_EQ(runTool("defaults " + a).status, 0);
    writeWithChanges(a, b);

    const auto byStore = runTool("diff --view store " + a + " " + b);
    EXPECT_NE(byStore.out.find("\n  inputLevel[2]: 0 -> 7\n"), std::string::npos) << byStore.out;
    EXPECT_NE(byStore.out.find("Unit\n  unit.unitValue: 0 -> 9\n"), std::string::npos) << byStore.out;
    EXPECT_EQ(runTool("diff --view records " + a + " " + b).out, runTool("diff " + a + " " + b).out);

    // A record's members take a line each, named as diff names them.
    const auto byRecords = runTool("dump --view records " + b);
    EXPECT_EQ(byRecords.status, 0);
    EXPECT_NE(byRecords.out.find("  Listener position\n    listener.metric"), std::string::npos) << byRecords.out;
    EXPECT_NE(byRecords.out.find("    setupPresets.entry[4].name \"Screen\"\n"), std::string::npos);
    EXPECT_EQ(runTool("dump --view store " + b).out, runTool("dump " + b).out);

    EXPECT_NE(runTool("dump --view pages " + b).status, 0);
}

}  // namespace
}  // namespace velmar
