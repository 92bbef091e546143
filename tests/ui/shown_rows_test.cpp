// Reading what a declared dialog shows, row by row: captions, units and stand-ins, rows
// without a caption of their own, column headings, radio groups, values a list cannot show,
// hidden and disabled controls, and keys that stay put whatever is shown.
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "control_driver.h"
#include "ui/dialog.h"
#include "ui/shown_rows.h"

using namespace velmar;
using namespace velmar::test;

namespace {

enum {
    kLevelEdit = 100,
    kLevelSlider,
    kOff,
    kUnit,
    kSize,
    kDays,
    kCaptionHidden,
    kTickHidden,
    kCheckA,
    kCheckB,
    kFeet,
    kMetres,
    kMon,
    kTue,
    kToggle,
    kOpen,
};

class Sample : public ui::Dialog {
public:
    Sample()
    {
        const ui::PageSpec decl{{
            {.rows =
                 {
                     {ui::label("Level:"), ui::dropList(kSize, {"Small", "Large"}), ui::slider(kLevelSlider),
                      ui::edit(kLevelEdit), ui::label("Off", kOff), ui::label("Hz", kUnit)},
                     {ui::gap(), ui::dropList(kDays, {"Off", "Weekend"})},
                     {ui::label("Hidden caption:", kCaptionHidden), ui::check(kTickHidden)},
                     {ui::label("Bits:"), ui::check(kCheckA, "16 bit"), ui::check(kCheckB, "24 bit")},
                     {ui::label("Polarity:"), ui::button(kToggle, "Normal")},
                     {ui::button(kOpen, "Open...")},
                 }},
            {.title = "Units:", .rows = {{ui::radio(kFeet, "feet", 1)}, {ui::radio(kMetres, "metres", 1)}}, .row = 1},
            {.rows = {{ui::gap(), ui::label("MAIN"), ui::label("Z2")},
                      {ui::label("Power:"), ui::check(kMon), ui::check(kTue)}},
             .row = 2},
        }};
        QVBoxLayout* layout = ui::buildPage(*this, *this, decl);
        ui::addDialogButtons(*this, *this, *layout, "OK", "Cancel");
    }
    void doDataExchange(ui::DataExchange& dx) override
    {
        ui::ddxCBIndex(dx, kSize, size);
        ui::ddxCBIndex(dx, kDays, days);
        ui::ddxText(dx, kLevelEdit, level);
        ui::ddxRadio(dx, {kFeet, kMetres}, unit);
        ui::ddxCheck(dx, kCheckA, a);
        ui::ddxCheck(dx, kCheckB, b);
        ui::ddxCheck(dx, kMon, mon);
    }
    int size = 1;
    int days = 1;
    QString level = "80";
    int unit = 0;
    int a = 1;
    int b = 0;
    int mon = 1;
};

const ui::ShownRow* rowCaptioned(const std::vector<ui::ShownRow>& rows, const QString& caption)
{
    for (const auto& row : rows)
        if (row.caption == caption)
            return &row;
    return nullptr;
}

QStringList texts(const ui::ShownRow& row)
{
    QStringList out;
    for (const auto& part : row.parts)
        out << part.text;
    return out;
}

}  // namespace

TEST(ShownRows, ARowReadsAsItsCaptionAndWhatStandsAfterIt)
{
    Sample d;
    d.showControls(false, {kOff});
    d.loadControls();
    const auto rows = ui::readShownRows(d);

    // The trackbar is left out: its edit shows the value; the unit follows it.
    const auto* level = rowCaptioned(rows, "Level:");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(texts(*level), (QStringList{"Large", "80", "Hz"}));
    EXPECT_EQ(level->parts[0].id, kSize);
    // A row without a caption of its own stands under the one above.
    ASSERT_EQ(rows[1].caption, "Level:");
    EXPECT_EQ(texts(rows[1]), QStringList{"Weekend"});
    // Boxes with their own text are rows of their own; a button beside a caption shows a value.
    ASSERT_NE(rowCaptioned(rows, "Bits: 16 bit"), nullptr);
    EXPECT_TRUE(rowCaptioned(rows, "Bits: 16 bit")->parts[0].checked);
    EXPECT_FALSE(rowCaptioned(rows, "Bits: 24 bit")->parts[0].checked);
    EXPECT_EQ(texts(*rowCaptioned(rows, "Polarity:")), QStringList{"Normal"});
    // A radio group spanning rows is one value, captioned by its box.
    const auto* units = rowCaptioned(rows, "Units:");
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(texts(*units), QStringList{"feet"});
    EXPECT_EQ(units->group, "Units:");
    // Under column headings each box is its own row.
    ASSERT_NE(rowCaptioned(rows, "Power: MAIN"), nullptr);
    EXPECT_TRUE(rowCaptioned(rows, "Power: MAIN")->parts[0].checked);
    EXPECT_NE(rowCaptioned(rows, "Power: Z2"), nullptr);
}

TEST(ShownRows, HiddenControlsAreLeftOutDisabledOnesSaySoStandInsTakeTheirPlace)
{
    Sample d;
    d.loadControls();
    // The crossover is off: its edit gives way to "Off"; the size list is greyed.
    d.showControls(false, {kLevelEdit, kLevelSlider});
    d.enableControls(false, {kSize});
    // A row whose caption is hidden shows no caption, not the row above's.
    d.showControls(false, {kCaptionHidden});
    const auto rows = ui::readShownRows(d);

    const auto* level = rowCaptioned(rows, "Level:");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(texts(*level), (QStringList{"Large", "Off", "Hz"}));
    EXPECT_FALSE(level->parts[0].enabled);
    EXPECT_TRUE(level->parts[1].enabled);
    bool hiddenCaptionRow = false;
    for (const auto& row : rows)
        hiddenCaptionRow = hiddenCaptionRow || (!row.parts.empty() && row.parts[0].id == kTickHidden);
    ASSERT_TRUE(hiddenCaptionRow);
    for (const auto& row : rows) {
        if (row.parts[0].id == kTickHidden) {
            EXPECT_EQ(row.caption, "");
        }
    }
    for (const auto& row : rows)
        for (const auto& part : row.parts)
            EXPECT_NE(part.id, kLevelEdit);
}

TEST(ShownRows, AValueAListOrRadioGroupCannotShowIsKeptWithTheControl)
{
    Sample d;
    d.size = 7;
    d.unit = 5;
    d.loadControls();
    auto rows = ui::readShownRows(d);
    const auto& size = rowCaptioned(rows, "Level:")->parts[0];
    EXPECT_EQ(size.kind, ui::ShownPart::Kind::NoChoice);
    EXPECT_EQ(size.stored, 7);
    const auto& unit = rowCaptioned(rows, "Units:")->parts[0];
    EXPECT_EQ(unit.kind, ui::ShownPart::Kind::NoChoice);
    EXPECT_EQ(unit.stored, 5);

    // Shown again once the value is one the list has.
    d.size = 0;
    d.unit = 1;
    d.updateData(false);
    rows = ui::readShownRows(d);
    EXPECT_EQ(rowCaptioned(rows, "Level:")->parts[0].text, "Small");
    EXPECT_EQ(rowCaptioned(rows, "Units:")->parts[0].text, "metres");
    // A choice the user made is shown, whatever was loaded.
    d.size = 9;
    d.updateData(false);
    chooseItem(d, kSize, 1);
    EXPECT_EQ(rowCaptioned(ui::readShownRows(d), "Level:")->parts[0].text, "Large");
}

TEST(ShownRows, FiltersLeaveOutSelectorsAndKeepRowsAskedFor)
{
    Sample d;
    d.loadControls();
    const auto skipped = ui::readShownRows(d, {.skip = {kSize, kToggle, kOpen}});
    EXPECT_EQ(texts(*rowCaptioned(skipped, "Level:")), (QStringList{"80", "Off", "Hz"}));
    EXPECT_EQ(rowCaptioned(skipped, "Polarity:"), nullptr);

    const auto only = ui::readShownRows(d, {.only = {kDays, kOff}});
    ASSERT_EQ(only.size(), 2u);
    EXPECT_EQ(only[0].caption, "Level:");
    EXPECT_EQ(texts(only[1]), QStringList{"Weekend"});
}

TEST(ShownRows, KeysStayWhereTheRowsStandWhateverIsShown)
{
    Sample shown;
    shown.loadControls();
    Sample hidden;
    hidden.loadControls();
    hidden.showControls(false, {kSize, kLevelEdit, kLevelSlider, kDays, kCheckA});

    const auto all = ui::readShownRows(shown);
    for (const auto& row : ui::readShownRows(hidden)) {
        const auto same = std::find_if(all.begin(), all.end(), [&](const ui::ShownRow& r) { return r.key == row.key; });
        ASSERT_NE(same, all.end()) << row.caption.toStdString();
        EXPECT_EQ(same->caption, row.caption);
    }
    QStringList keys;
    for (const auto& row : all)
        keys << row.key;
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), static_cast<qsizetype>(all.size()));
}
