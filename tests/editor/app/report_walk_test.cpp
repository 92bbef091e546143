// The report's reading of the pages is complete: every page, every state of its selectors,
// every dialog and sub-sheet is walked, and in each, every control that shows a value is
// found with its caption and shown value, checked here against the controls themselves.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/report_pages.h"
#include "settings/image_codec.h"
#include "ui/control_host.h"

using namespace velmar;
using namespace velmar::editor;

namespace {

// A control whose value a user reads off the page (a trackbar's is read off its edit).
bool showsValue(const QWidget* w)
{
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           (qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const QDialogButtonBox*>(w->parentWidget()));
}

bool listed(const std::vector<int>& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

// The label a row starts with, found through the layout the control stands in.
QString rowCaptionOf(const ui::ControlHost& host, const QWidget* w)
{
    for (auto* grid : host.widget().findChildren<QGridLayout*>()) {
        const int index = grid->indexOf(w);
        if (index < 0)
            continue;
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        for (int c = 0; c < column; ++c) {
            QLayoutItem* item = grid->itemAtPosition(row, c);
            if (item && item->widget() && item->widget()->isVisibleTo(&host.widget()))
                if (auto* label = qobject_cast<QLabel*>(item->widget()))
                    return label->text();
            if (item && item->widget() && item->widget()->isVisibleTo(&host.widget()))
                return {};
        }
    }
    return {};
}

// Reads as the report does, and checks each read against the controls it read.
class CheckingWalk : public RowCollector {
public:
    void read(const ui::ControlHost& host, const ui::ReadFilter& filter) override
    {
        const size_t before = rows().size();
        RowCollector::read(host, filter);
        const std::vector<ReadRow> added(rows().begin() + static_cast<std::ptrdiff_t>(before), rows().end());
        const std::string where = host.widget().windowTitle().toStdString() + " " +
                                  (added.empty() ? std::string() : added.front().key().toStdString());
        std::set<int>& kindRead = read_[typeid(host).name()];
        std::set<int>& kindShown = shown_[typeid(host).name()];
        for (QWidget* w : host.widget().findChildren<QWidget*>()) {
            const int id = host.controlId(w);
            if (id < 0 || !showsValue(w) || listed(filter.skip, id))
                continue;
            if (!w->isVisibleTo(&host.widget())) {
                EXPECT_EQ(find(added, id).first, nullptr) << where << ": hidden control " << id << " read";
                continue;
            }
            // A radio group shows one choice: its checked button, or none.
            if (auto* radio = qobject_cast<QRadioButton*>(w); radio && radio->group()) {
                const auto buttons = radio->group()->buttons();
                const auto checked = std::find_if(buttons.begin(), buttons.end(),
                                                  [](auto* b) { return b->isChecked(); });
                if (radio != (checked != buttons.end() ? *checked : buttons.front()))
                    continue;
            }
            kindShown.insert(id);
            if (!filter.only.empty() && !listed(filter.only, id))
                continue;
            const auto [row, part] = find(added, id);
            ASSERT_NE(part, nullptr) << where << ": control " << id << " not read";
            kindRead.insert(id);
            checkValue(*w, *part, where);
            EXPECT_EQ(part->enabled, w->isEnabled()) << where << ": control " << id;
            const QString caption = rowCaptionOf(host, w);
            if (!caption.isEmpty()) {
                EXPECT_TRUE(row->shown.caption.startsWith(caption))
                    << where << ": " << row->shown.caption.toStdString();
            }
            if (auto* check = qobject_cast<QCheckBox*>(w); check && !check->text().isEmpty()) {
                EXPECT_TRUE(row->shown.caption.endsWith(check->text())) << where << ": " << id;
            }
        }
    }

    // Controls of each page or dialog class that were never found, though some walk showed them.
    std::vector<std::string> neverRead() const
    {
        std::vector<std::string> missing;
        for (const auto& [kind, ids] : shown_)
            for (const int id : ids)
                if (!read_.at(kind).count(id))
                    missing.push_back(kind + ":" + std::to_string(id));
        return missing;
    }

private:
    static std::pair<const ReadRow*, const ui::ShownPart*> find(const std::vector<ReadRow>& rows, int id)
    {
        for (const ReadRow& row : rows)
            for (const ui::ShownPart& part : row.shown.parts)
                if (part.id == id)
                    return {&row, &part};
        return {nullptr, nullptr};
    }

    static void checkValue(const QWidget& w, const ui::ShownPart& part, const std::string& where)
    {
        const int id = part.id;
        if (auto* combo = qobject_cast<const QComboBox*>(&w)) {
            if (combo->currentIndex() < 0) {
                EXPECT_EQ(part.kind, ui::ShownPart::Kind::NoChoice) << where << ": " << id;
            } else {
                EXPECT_EQ(part.text, combo->currentText()) << where << ": " << id;
            }
        } else if (auto* edit = qobject_cast<const QLineEdit*>(&w)) {
            EXPECT_EQ(part.text, edit->text()) << where << ": " << id;
        } else if (auto* radio = qobject_cast<const QRadioButton*>(&w); radio && !radio->isChecked()) {
            EXPECT_EQ(part.kind, ui::ShownPart::Kind::NoChoice) << where << ": " << id;
        } else if (auto* check = qobject_cast<const QCheckBox*>(&w)) {
            EXPECT_EQ(part.kind, ui::ShownPart::Kind::Check) << where << ": " << id;
            EXPECT_EQ(part.checked, check->isChecked()) << where << ": " << id;
        } else if (auto* button = qobject_cast<const QAbstractButton*>(&w)) {
            EXPECT_EQ(part.text, button->text()) << where << ": " << id;
        }
    }

    std::map<std::string, std::set<int>> read_;
    std::map<std::string, std::set<int>> shown_;
};

SettingsRecordSet factorySet()
{
    SettingsStore store;
    prepareStore(store, true);
    prepareStore(store, false);
    SettingsRecordSet set;
    set.loadFromStore(store);
    return set;
}

// Sets that between them show every control some state of the pages shows.
struct Case {
    const char* name;
    ModelKind model;
    void (*change)(SettingsRecordSet&);
};
const Case kCases[] = {
    {"factory", ModelKind::Undetected, [](SettingsRecordSet&) {}},
    {"direct speakers, advanced, 24 hours", ModelKind::Qrx30,
     [](SettingsRecordSet& s) {
         s.speakerConfig.surroundType = 0;
         s.speakerConfig.rearType = 1;
         s.speakerConfig.musicSameAsCinema = 0;
         s.speakerConfig.cinema.advanced = 1;
         s.speakerConfig.cinema.centerCrossover = -1;  // below 25 Hz: "Off"
         s.speakerConfig.cinema.rears = 2;
         s.speakerConfig.room.thxUltra2Sub = 1;
         s.timers.clock24 = 1;
         s.timers.timersEnabled = 1;
         s.timers.entry[1][0].source = 0;
         s.volumes.maxVolume[1] = 100;
     }},
    {"values the lists cannot show, QRX 20", ModelKind::Qrx20,
     [](SettingsRecordSet& s) {
         s.setupPresets.entry[0].presets.position[0] = -1;
         s.setupPresets.entry[0].presets.storedCode[0] = 99;
         s.displays.wakeUp = 7;
         s.tuner.mode[6] = 3;
         s.listener.metric = 1;
         s.speakerConfig.centerEq = 1;
     }},
};

const ui::ShownRow* rowWith(const std::vector<ReadRow>& rows, const QString& key)
{
    for (const ReadRow& row : rows)
        if (row.key() == key)
            return &row.shown;
    return nullptr;
}

std::set<std::string> expectedSections()
{
    std::set<std::string> sections{"01",          "02",          "02/cinema",   "02/music", "02/room", "02/bass-peak",
                                   "03",          "04",          "05",          "07",       "08",      "09",
                                   "09/trigger1", "09/trigger2", "09/trigger3", "09/ir",    "10"};
    for (int zone = 0; zone < 3; ++zone)
        for (int timer = 0; timer < 2; ++timer)
            sections.insert("01/zone" + std::to_string(zone) + ".timer" + std::to_string(timer));
    for (int source = 0; source < 10; ++source) {
        const std::string s = std::to_string(source);
        sections.insert({"05/source" + s + "/page0", "05/source" + s + "/page1", "06/source" + s});
    }
    for (int path = 0; path < 4; ++path)
        sections.insert("08/path" + std::to_string(path));
    for (int band = 0; band < 4; ++band)
        for (int preset = 0; preset < 6; ++preset)
            sections.insert("11/band" + std::to_string(band) + ".preset" + std::to_string(preset));
    return sections;
}

}  // namespace

TEST(ReportWalk, EveryControlOfEveryPageDialogAndSubSheetIsReadWithItsCaptionAndValue)
{
    CheckingWalk walk;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SettingsRecordSet set = factorySet();
        c.change(set);
        SettingsStore store;
        store.setModelKind(c.model);
        const size_t before = walk.rows().size();
        walkSettingsPages(set, store, walk);

        // Every page, selector state, dialog and sub-sheet page has rows of its own; no row twice.
        std::set<std::string> sections;
        std::set<QString> keys;
        for (auto row = walk.rows().begin() + static_cast<std::ptrdiff_t>(before); row != walk.rows().end(); ++row) {
            QStringList path;
            for (const ReportSection& s : row->path)
                path << s.key;
            sections.insert(path.join('/').toStdString());
            EXPECT_TRUE(keys.insert(row->key()).second) << row->key().toStdString();
        }
        EXPECT_EQ(sections, expectedSections());
    }
    EXPECT_EQ(walk.neverRead(), std::vector<std::string>{});
}

TEST(ReportWalk, StoredValuesTheListsCannotShowAreReadWithTheirNumbers)
{
    SettingsRecordSet set = factorySet();
    kCases[2].change(set);
    SettingsStore store;
    const std::vector<ReadRow> rows = readSettingsPages(set, store);

    // A preset's mode code (no list position), a list index, a radio group's value.
    std::vector<int> stored;
    for (const ReadRow& row : rows)
        for (const ui::ShownPart& part : row.shown.parts)
            if (part.kind == ui::ShownPart::Kind::NoChoice && part.stored)
                stored.push_back(*part.stored);
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<int>{3, 7, 99}));
}

TEST(ReportWalk, WalkingThePagesLeavesTheSetAndTheStoreAsTheyWere)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SettingsRecordSet set = factorySet();
        c.change(set);
        const SettingsRecordSet before = set;
        SettingsStore store;
        store.setModelKind(c.model);
        const SettingsStore storeBefore = store;
        readSettingsPages(set, store);
        EXPECT_TRUE(set.equals(before));
        EXPECT_TRUE(store.set() == storeBefore.set());
        EXPECT_TRUE(store.unit() == storeBefore.unit());
        EXPECT_EQ(store.writeImage, storeBefore.writeImage);
    }
}

TEST(ReportWalk, RowsLineUpAcrossSetsWhateverTheyShow)
{
    // The same row of a page has one key whether its set shows it with a stand-in or not.
    SettingsRecordSet factory = factorySet();
    SettingsRecordSet changed = factorySet();
    kCases[1].change(changed);
    SettingsStore store;
    const auto a = readSettingsPages(factory, store);
    const auto b = readSettingsPages(changed, store);
    const auto* presetA = rowWith(a, "03/0.3");  // "Left Surround:": "Preset" with dipoles
    const auto* presetB = rowWith(b, "03/0.3");  // a distance with direct surrounds
    ASSERT_NE(presetA, nullptr);
    ASSERT_NE(presetB, nullptr);
    EXPECT_EQ(presetA->caption, presetB->caption);
    EXPECT_NE(presetA->parts.front().text, presetB->parts.front().text);
}
