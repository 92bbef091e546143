// The editor's half of the page toolkit: the sheet's page table, the Ctrl keys on a page
// that will not be left, records reloaded after the working set was replaced, the pair
// rules pages differ in, and the pictures of every page.
#include <QDir>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "pages/bound_value_group.h"
#include "child_process.h"
#include "control_driver.h"
#include "modal_script.h"
#include "platform/virtual_clock.h"
#include "scratch_dir.h"
#include "app/screenshots.h"
#include "app/settings_editor_sheet.h"
#include "simulator/simulated_serial_port.h"
#include "simulator/simulated_unit.h"
#include "app/texts.h"
#include "ui/page_builder.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

enum { kBaudList = 500, kTimeoutSlider = 501, kTimeoutEdit = 502 };

// A settings page on the triggers record's baud rate and the displays record's timeout,
// written the way the real pages are.
class ProbePage : public CSettingsPage {
public:
    explicit ProbePage(PageContext& context) : CSettingsPage("Probe", context), pairs_(*this)
    {
        ui::buildPage(*this, *this,
                      {{{.rows = {{ui::label("Baud:"), ui::dropList(kBaudList, {"2400", "4800", "9600"})},
                                  ui::valueRow("Timeout:", {.slider = kTimeoutSlider, .edit = kTimeoutEdit}, "s")}}}});
        timeout_.Attach(kTimeoutSlider, kTimeoutEdit, controlAs<QSlider>(kTimeoutSlider));
        pairs_.add(timeout_);
    }
    void BindRecords(SettingsRecordSet& working) override
    {
        triggers_ = &working.triggers;
        displays_ = &working.displays;
    }
    bool onKillActive() override { return allowLeave && CSettingsPage::onKillActive(); }

    bool allowLeave = true;
    int loads = 0;

protected:
    void LoadRecord() override
    {
        ++loads;
        timeout_.SetScale(1, 0);
        timeout_.SetLimits(1, 15);
        timeout_.SetPosition(displays_->functionTimeout);
    }
    void doDataExchange(ui::DataExchange& dx) override
    {
        ui::ddxCBIndex(dx, kBaudList, triggers_->baudRate);
        pairs_.exchange(dx);
        if (dx.saving())
            displays_->functionTimeout = timeout_.GetPosition();
    }
    void onHScroll(int code, int, QSlider* bar) override { pairs_.onHScroll(code, bar); }

private:
    TriggersRecord* triggers_ = nullptr;
    DisplaysRecord* displays_ = nullptr;
    CBoundValueDlg timeout_;
    BoundValueGroup pairs_;
};

const std::vector<PageEntry> kProbeTable{{9, "probe", &makePage<ProbePage>}};

class Toolkit : public ::testing::Test {
protected:
    Toolkit() : port(clock)
    {
        port.addPort("COM1", &unit);
        sheet = std::make_unique<CSettingsEditorSheet>(store, port, clock, nullptr, 0, kProbeTable);
        sheet->setActivePage(0);
        sheet->show();
    }
    ProbePage& probe() { return *static_cast<ProbePage*>(sheet->page(1)); }
    SettingsRecordSet& working() { return sheet->recordSet(kWorkingSet); }
    void ctrl(Qt::Key key) { QTest::keyClick(sheet->activePage(), key, Qt::ControlModifier); }
    std::string path(const char* name) const { return dir.file(name); }

    platform::VirtualClock clock;
    sim::SimulatedUnit unit;
    sim::SimulatedSerialPort port;
    SettingsStore store;
    std::unique_ptr<CSettingsEditorSheet> sheet;
    ScratchDir dir;
};

}  // namespace

TEST_F(Toolkit, ThePageTablePlacesPagesAfterTheGeneralPage)
{
    ASSERT_EQ(sheet->pageCount(), 2);
    EXPECT_EQ(sheet->placeOf(1), 9);
    EXPECT_EQ(sheet->indexOfPlace(9), 1);
    EXPECT_EQ(sheet->indexOfPlace(10), -1);
    EXPECT_EQ(ScreenshotName(*sheet, 0), "00-general.png");
    EXPECT_EQ(ScreenshotName(*sheet, 1), "09-probe.png");
}

TEST_F(Toolkit, CtrlKeysDoNothingWhileAPageRefusesToBeLeft)
{
    ModalScript script;
    sheet->setActivePage(1);
    probe().allowLeave = false;
    script.file(QString::fromStdString(path("never.q20")));
    for (const Qt::Key key : {Qt::Key_S, Qt::Key_O, Qt::Key_L})
        ctrl(key);
    EXPECT_EQ(sheet->activeIndex(), 1);
    EXPECT_TRUE(script.fileRequests.empty());
    EXPECT_TRUE(script.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(path("never.q20")));

    probe().allowLeave = true;
    ctrl(Qt::Key_S);
    EXPECT_EQ(sheet->activeIndex(), 0);
    EXPECT_TRUE(std::filesystem::exists(path("never.q20")));
}

TEST_F(Toolkit, APageReloadsItsRecordWhenShownAfterTheWorkingSetWasReplaced)
{
    ModalScript script;
    sheet->setActivePage(1);
    EXPECT_EQ(probe().loads, 1);
    typeText(probe(), kTimeoutEdit, "9");
    chooseItem(probe(), kBaudList, 2);
    sheet->setActivePage(0);
    // Save these, change them, and load the file back over them.
    script.file(QString::fromStdString(path("nine.q20")));
    clickControl(sheet->general(), kIdSaveAs);
    sheet->setActivePage(1);
    EXPECT_EQ(probe().loads, 1);  // nothing replaced: the page shows what it had
    typeText(probe(), kTimeoutEdit, "4");
    EXPECT_EQ(working().displays.functionTimeout, 4);
    ctrl(Qt::Key_L);
    ASSERT_EQ(sheet->general().status(), texts::kFileLoaded);
    sheet->setActivePage(1);
    EXPECT_EQ(probe().loads, 2);
    EXPECT_EQ(textOf(probe(), kTimeoutEdit), "9");
    EXPECT_EQ(probe().controlAs<QSlider>(kTimeoutSlider)->value(), 9);
    EXPECT_EQ(itemText(probe(), kBaudList), "9600");
}

TEST_F(Toolkit, ScreenshotsShowEveryPageByPlace)
{
    std::string message;
    ASSERT_TRUE(SaveScreenshots(*sheet, QString::fromStdString(dir.path().string()), message)) << message;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "00-general.png"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "09-probe.png"));
    EXPECT_GT(std::filesystem::file_size(dir.path() / "09-probe.png"), 1000u);
}

namespace {

enum { kSlider = 100, kEdit = 101, kOtherSlider = 102, kOtherEdit = 103, kList = 104 };

// Three pairs: two share one trackbar and edit, the third has its own; scale 1, 0..10.
class Owner : public ui::Dialog {
public:
    explicit Owner(PairRules rules) : group(*this, std::move(rules))
    {
        ui::buildPage(*this, *this,
                      {{{.rows = {ui::valueRow("Shared:", {.slider = kSlider, .edit = kEdit}),
                                  ui::valueRow("Other:", {.slider = kOtherSlider, .edit = kOtherEdit}),
                                  {ui::dropList(kList, {"a", "b"})}}}}});
        for (auto [pair, s, e] :
             {std::tuple{&first, kSlider, kEdit}, {&second, kSlider, kEdit}, {&other, kOtherSlider, kOtherEdit}}) {
            pair->Attach(s, e, controlAs<QSlider>(s));
            pair->SetScale(1, 0);
            pair->SetLimits(0, 10);
            pair->SetPosition(5);
            group.add(*pair);
        }
        group.setActive(second, false);
        updateData(false);
        show();
    }
    void doDataExchange(ui::DataExchange& dx) override
    {
        ui::ddxCBIndex(dx, kList, list);
        group.exchange(dx);
    }
    void onHScroll(int code, int, QSlider* bar) override { group.onHScroll(code, bar); }

    CBoundValueDlg first;
    CBoundValueDlg second;
    CBoundValueDlg other;
    BoundValueGroup group;
    int list = 0;
};

}  // namespace

TEST(PairRules, WithoutTheLeaveRuleAnOffStepValueIsTakenTruncated)
{
    ModalScript script;
    Owner o({.leaveRule = false});
    typeText(o, kOtherEdit, "7.6");
    leaveEdit(o, kOtherEdit);
    EXPECT_TRUE(script.shown.empty());
    EXPECT_EQ(o.other.GetPosition(), 7);

    Owner strict({});
    script.click(ui::kIdOk);
    typeText(strict, kOtherEdit, "7.6");
    leaveEdit(strict, kOtherEdit);
    EXPECT_EQ(script.shown.size(), 1u);
}

TEST(PairRules, OneEditServesTheActivePairOnly)
{
    Owner o({});
    typeText(o, kEdit, "8");
    EXPECT_EQ(o.first.GetPosition(), 8);
    EXPECT_EQ(o.second.GetPosition(), 5);
    o.group.setActive(o.first, false);
    o.group.setActive(o.second, true);
    o.updateData(false);
    EXPECT_EQ(textOf(o, kEdit), "5");
    pageClick(o, kSlider, true);
    EXPECT_EQ(o.second.GetPosition(), 6);
    EXPECT_EQ(o.first.GetPosition(), 8);
}

TEST(PairRules, TheHookRunsBeforeADragIsCommittedAndAPageClickCanCommit)
{
    std::vector<int> seen;
    Owner* owner = nullptr;
    Owner o({.commitOnPageClick = true, .beforeSliderCommit = [&] { seen.push_back(owner->other.GetPosition()); }});
    owner = &o;
    typeText(o, kOtherEdit, "3");
    EXPECT_TRUE(seen.empty());
    QSlider* bar = o.controlAs<QSlider>(kOtherSlider);
    bar->setSliderDown(true);
    bar->setSliderPosition(7);
    bar->setSliderDown(false);
    EXPECT_EQ(seen, std::vector<int>{3});  // before the drag was taken
    EXPECT_EQ(o.other.GetPosition(), 7);
    // The list was changed without a notification; the page click commits it, hook or not.
    o.controlAs<QComboBox>(kList)->setCurrentIndex(1);
    pageClick(o, kOtherSlider, false);
    EXPECT_EQ(o.other.GetPosition(), 6);
    EXPECT_EQ(o.list, 1);
    EXPECT_EQ(seen.size(), 1u);

    Owner plain({});
    plain.controlAs<QComboBox>(kList)->setCurrentIndex(1);
    pageClick(plain, kOtherSlider, false);
    EXPECT_EQ(plain.list, 0);
}

TEST(PairRules, APageClickGoesToTheFirstPairOfTheScrollOrder)
{
    Owner o({});
    o.group.setActive(o.second, true);
    o.group.setScrollOrder({&o.second, &o.first, &o.other});
    pageClick(o, kSlider, true);
    EXPECT_EQ(o.second.GetPosition(), 6);
    EXPECT_EQ(o.first.GetPosition(), 5);
}

TEST(ScreenshotsCommand, DrawsEveryBuiltPageOfAFileAndRefusesAFileItCannotOpen)
{
    const ScratchDir scratch;
    const auto& dir = scratch.path();
    const std::string file = scratch.file("defaults.q20");
    const auto made = runProcess(Command({VELMARCTL_PATH, "defaults", file}));
    ASSERT_EQ(made.status, 0) << made.err;
    const auto run = [&](const std::string& open, const std::string& out) {
        return runProcess(Command({SETTINGS_EDITOR_PATH, "--open", open, "--screenshots", out})).status;
    };
    EXPECT_EQ(run(file, (dir / "pictures").string()), 0);
    for (const auto& entry : settingsPageTable()) {
        const auto name = QString("%1-%2.png").arg(entry.place, 2, 10, QLatin1Char('0')).arg(entry.name);
        EXPECT_TRUE(std::filesystem::exists(dir / "pictures" / name.toStdString())) << name.toStdString();
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "pictures" / "00-general.png"));

    EXPECT_NE(run((dir / "missing.q20").string(), (dir / "none").string()), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "none" / "00-general.png"));
}
