// Reading what a declared dialog shows, row by row: captions, units and stand-ins, rows
// without a caption of their own, column headings, radio groups, hidden and disabled controls.
// (The pages' walks check the rest against every page: tests/editor/app/report_walk_test.cpp.)
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "ui/dialog.h"
#include "ui/shown_rows.h"

using namespace velmar;

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
