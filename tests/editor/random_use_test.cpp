// A seeded random user of the whole editor, in the spirit of a fuzzer: it switches pages and
// sets, clicks, picks, drags and types key by key through the controls' ids, opens every
// dialog and sub-sheet it meets and ends them with OK, Cancel, Escape, Enter or the close box,
// saves and reloads. After each step it checks that a dialog ended without OK left the
// settings as they were; at intervals, that the saved file's values are within their pages'
// ranges and that a visit to pages without edits changes nothing in the saved file.
//
// VELMAR_RANDOM_USE_SEEDS ("1-40" or "3,17") and VELMAR_RANDOM_USE_ACTIONS (per seed) make
// longer runs; a failure names its seed and the actions before it, and the same two variables
// replay it.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <random>
#include <sstream>

#include "app/save_prompt_dialog.h"
#include "app/settings_editor_sheet.h"
#include "control_driver.h"
#include "platform/virtual_clock.h"
#include "scratch_dir.h"
#include "settings/records/decoded_image.h"
#include "settings/image_codec.h"
#include "settings/records/settings_diff.h"
#include "settings/records/settings_view.h"
#include "simulator/simulated_serial_port.h"
#include "simulator/simulated_unit.h"
#include "ui/file_dialog.h"
#include "ui/modal_hook.h"
#include "unitlink/settings_file.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

constexpr unsigned kCiSeeds = 8;
constexpr int kCiActions = 500;
constexpr int kTourEvery = 100;    // actions between two checks of a visit without edits
constexpr int kWindowActions = 6;  // at most, in one dialog or sub-sheet
constexpr int kDeepestWindow = 3;  // windows opened from windows from windows
const char* const kModels[] = {"QRX 30", "QRX 20", "Corvalent D1"};
const ModelKind kModelKinds[] = {ModelKind::Qrx30, ModelKind::Qrx20, ModelKind::CorvalentD1};
const int kGeneralButtons[] = {kIdEditCurrent,     kIdEditUser,     kIdEditInstaller, kIdCopyToUser,
                               kIdCopyToInstaller, kIdLoadNonSetup, kIdHelp,          kIdAbout};

// "1-40" or "3,17,40-60"; seeds 1 to kCiSeeds when unset.
std::vector<unsigned> seedsToRun()
{
    const char* text = std::getenv("VELMAR_RANDOM_USE_SEEDS");
    std::vector<unsigned> seeds;
    std::istringstream in(text ? text : "");
    for (std::string part; std::getline(in, part, ',');) {
        const auto dash = part.find('-');
        const unsigned first = std::stoul(part.substr(0, dash));
        const unsigned last = dash == std::string::npos ? first : std::stoul(part.substr(dash + 1));
        for (unsigned s = first; s <= last; ++s)
            seeds.push_back(s);
    }
    if (seeds.empty())
        for (unsigned s = 1; s <= kCiSeeds; ++s)
            seeds.push_back(s);
    return seeds;
}

int actionsPerSeed()
{
    const char* text = std::getenv("VELMAR_RANDOM_USE_ACTIONS");
    return text ? std::atoi(text) : kCiActions;
}

// A value saved in a set and the range its page gives it.
struct Limit {
    std::string name;
    int value;
    int low;
    int high;
    bool lowered = false;  // the Main Max Volume may lower it, a value from the unit too
};

// The ranges worth checking in a saved set: values limited by other fields or stored in
// narrower fields than the pages hold them in. The two levels limited by the Main Max Volume
// may go down to the byte's -64 dB, below their pages' ranges.
std::vector<Limit> limitsOf(const SettingsRecordSet& r)
{
    std::vector<Limit> limits{
        {"noise reference level", r.calibration.noiseReferenceLevel, -128, 40, true},
        {"test tone level", r.speakerConfig.room.toneLevel, -128, 63, true},
        {"bass peak level", r.speakerConfig.bassPeak, -127, 0},
    };
    for (size_t i = 0; i < r.calibration.channelLevel.size(); ++i)
        limits.push_back({"channel level " + std::to_string(i), r.calibration.channelLevel[i], -24, 24});
    for (size_t p = 0; p < r.volumes.maxVolume.size(); ++p) {
        const int floor = p == 0 ? -191 : -50;
        const int max = r.volumes.maxVolume[p];
        limits.push_back({"max volume " + std::to_string(p), max, floor, p == 0 ? 63 : 9});
        limits.push_back({"on volume " + std::to_string(p), r.volumes.onVolume[p], floor, max});
    }
    for (size_t i = 0; i < r.listener.distance.size(); ++i)
        limits.push_back({"distance " + std::to_string(i), r.listener.distance[i], 0, r.listener.metric ? 320 : 990});
    return limits;
}

// One seed's run: an editor on a simulated unit in virtual time and the random user of it.
class RandomSession {
public:
    explicit RandomSession(unsigned seed) : seed_(seed), random_(seed), port_(clock_), unit_(config(seed))
    {
        port_.addPort("COM1", &unit_);
        if (seed % 2 == 0)
            unit_.memory().settings = randomSettings(kModelKinds[seed % 3]);
        sheet_ = std::make_unique<CSettingsEditorSheet>(store_, port_, clock_);
        ui::setModalWindowHook([this](QDialog& d) { answer(d); });
        ui::setFilePromptHook(
            [this](const ui::FileDialogRequest&) -> std::optional<QString> { return QString::fromStdString(file_); });
    }
    ~RandomSession()
    {
        ui::setModalWindowHook({});
        ui::setFilePromptHook({});
    }

    void run(int actions)
    {
        sheet_->setActivePage(0);
        sheet_->show();
        activate(*sheet_);
        const std::string start = "seed " + std::to_string(seed_) + ", " + kModels[seed_ % 3] +
                                  (seed_ % 2 ? ", factory settings" : ", a unit holding random settings");
        std::fprintf(stderr, "random use: %s\n", start.c_str());
        log(start);
        setChecked(sheet_->general(), kIdLoadFromUnit, seed_ % 2 == 0);
        clickControl(sheet_->general(), kIdAutoDetect);
        normalise();
        for (int i = 0; i < actions && !failed_; ++i) {
            act();
            if (!sheet_->isVisible())
                reopen();
            if ((i + 1) % kTourEvery == 0)
                checkVisitChangesNothing();
        }
        if (!failed_)
            checkVisitChangesNothing();
    }

private:
    // Three sets of random field values, framed as the codec frames them so that the editor
    // takes them: bytes thrown in at random would fail the sections' checks and read as
    // factory settings.
    std::vector<std::uint8_t> randomSettings(ModelKind model)
    {
        static_assert(std::is_trivially_copyable_v<SetFields>);
        SettingsStore maker;
        maker.setModelKind(model);
        prepareStore(maker, false);
        for (const int base : {kCurrentBase, kUserBase, kInstallerBase}) {
            std::array<std::uint8_t, sizeof(SetFields)> bytes{};
            for (auto& byte : bytes)
                byte = static_cast<std::uint8_t>(random_());
            std::memcpy(&maker.set(), bytes.data(), bytes.size());
            encodeSet(maker, base);
        }
        return {maker.writeImage.begin(), maker.writeImage.end()};
    }

    static sim::UnitConfig config(unsigned seed)
    {
        sim::UnitConfig c;
        c.model = kModels[seed % 3];
        return c;
    }

    // The focus moves, and edits hear they lost it, only in the active window.
    void activate(QWidget& window)
    {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window, 1000))
            log("  (window not active)");
    }

    int pick(int count) { return count <= 1 ? 0 : static_cast<int>(random_() % static_cast<unsigned>(count)); }
    bool chance(int percent) { return pick(100) < percent; }

    void log(const std::string& what)
    {
        actions_.push_back(what);
        if (trace_)
            std::fprintf(stderr, "%s\n", what.c_str());
    }
    void fail(const std::string& what)
    {
        if (failed_)
            return;
        failed_ = true;
        std::string tail;
        const size_t from = actions_.size() > 40 ? actions_.size() - 40 : 0;
        for (size_t i = from; i < actions_.size(); ++i)
            tail += "  " + std::to_string(i) + ": " + actions_[i] + "\n";
        ADD_FAILURE() << what << "\nReplay: VELMAR_RANDOM_USE_SEEDS=" << seed_
                      << " VELMAR_RANDOM_USE_ACTIONS=" << actionsDone_ << "\nLast actions:\n"
                      << tail;
    }

    // ---- the user's actions ----

    void act()
    {
        ++actionsDone_;
        const int kind = pick(100);
        if (kind < 8 || (sheet_->activeIndex() == 0 && kind < 60)) {
            const int index = kind < 8 ? pick(sheet_->pageCount()) : 1 + pick(sheet_->pageCount() - 1);
            log("tab " + std::to_string(sheet_->placeOf(index)));
            sheet_->findChild<QTabBar*>()->setCurrentIndex(index);
        } else if (kind < 12) {
            saveAndReload();
        } else if (kind < 15) {
            const Qt::Key key = chance(50) ? Qt::Key_Escape : Qt::Key_Return;
            log(key == Qt::Key_Escape ? "Escape on the sheet" : "Enter on the sheet");
            prompted_ = false;
            // Values a page has not shown yet may be brought into range as it is left: only
            // from factory settings does leaving change nothing by itself.
            const bool fromOtherSet = sheet_->general().editIndex() != kCurrentSet && seed_ % 2 == 1;
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : sheet_.get(), key);
            if (prompted_ && fromOtherSet && sheet_->isVisible())
                checkLeavingChangesNothing();
        } else if (sheet_->activeIndex() == 0) {
            const int id = kGeneralButtons[pick(std::size(kGeneralButtons))];
            log("General: click " + std::to_string(id));
            clickControl(sheet_->general(), id);
        } else {
            const SettingsRecordSet before = sheet_->recordSet(kWorkingSet);
            cancelled_ = false;
            actOn(*sheet_->activePage(), 1);
            if (cancelled_ && !(sheet_->recordSet(kWorkingSet) == before))
                fail("a dialog ended without OK changed the settings:\n" +
                     differences(before, sheet_->recordSet(kWorkingSet)));
        }
    }

    // One action on a control of a page or dialog, chosen among those shown and enabled.
    void actOn(ui::ControlHost& host, int depth)
    {
        std::vector<QWidget*> controls;
        for (QWidget* w : host.widget().findChildren<QWidget*>())
            if (host.controlId(w) >= 0 && w->isVisible() && w->isEnabled() && !qobject_cast<QLabel*>(w))
                controls.push_back(w);
        if (controls.empty())
            return;
        QWidget* control = controls[static_cast<size_t>(pick(static_cast<int>(controls.size())))];
        const int id = host.controlId(control);
        const std::string where = std::string(depth > 1 ? "  in window: " : "") + std::to_string(id);
        control->setFocus(Qt::MouseFocusReason);
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            const int item = pick(combo->count());
            log(where + " pick " + std::to_string(item));
            chooseItem(host, id, item);
        } else if (auto* slider = qobject_cast<QSlider*>(control)) {
            drag(host, id, *slider, where);
        } else if (qobject_cast<QLineEdit*>(control)) {
            type(*control, where);
        } else {
            log(where + " click");
            clickControl(host, id);
        }
    }

    void drag(ui::ControlHost& host, int id, QSlider& slider, const std::string& where)
    {
        static const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_Home, "Home"},
                                                               {Qt::Key_End, "End"},
                                                               {Qt::Key_Left, "Left"},
                                                               {Qt::Key_Right, "Right"},
                                                               {Qt::Key_PageUp, "PageUp"}};
        const int how = pick(3);
        if (how == 0) {
            const int to = slider.minimum() + pick(slider.maximum() - slider.minimum() + 1);
            log(where + " drag to " + std::to_string(to));
            slider.setSliderPosition(to);
            QTest::mouseRelease(&slider, Qt::LeftButton);
        } else if (how == 1) {
            const bool right = chance(50);
            log(where + " page click " + (right ? "right" : "left"));
            pageClick(host, id, right);
        } else {
            const auto& [key, name] = keys[pick(std::size(keys))];
            log(where + " key " + name);
            QTest::keyClick(&slider, key);
        }
    }

    // Types one to four keys, then maybe leaves the edit with Tab.
    void type(QWidget& edit, const std::string& where)
    {
        static const QString keys = QStringLiteral("0123456789-.,a \u00e9");
        std::string typed;
        for (int n = 1 + pick(4); n > 0 && edit.isVisible(); --n) {
            if (chance(15)) {
                typed += "<BS>";
                QTest::keyClick(&edit, Qt::Key_Backspace);
                continue;
            }
            const QChar c = keys[pick(static_cast<int>(keys.size()))];
            typed += QString(c).toStdString();
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        const bool leave = chance(50);
        log(where + " type \"" + typed + "\"" + (leave ? " Tab" : ""));
        if (leave && edit.isVisible())
            QTest::keyClick(&edit, Qt::Key_Tab);
    }

    // ---- windows ----

    // Dialogs and sheets that edit settings; message boxes and the save prompt hold only
    // texts and buttons. A page shown as a chooser keeps what it chose (by its rules) and is
    // no ui dialog.
    static bool editsRecords(QDialog& d)
    {
        if (dynamic_cast<ui::PropertySheet*>(&d))
            return true;
        auto* dialog = dynamic_cast<ui::Dialog*>(&d);
        if (!dialog)
            return false;
        for (QWidget* w : d.findChildren<QWidget*>()) {
            if (dialog->controlId(w) < 0 || qobject_cast<QLabel*>(w))
                continue;
            auto* button = qobject_cast<QAbstractButton*>(w);
            if (!button || button->isCheckable())
                return true;
        }
        return false;
    }

    static ui::ControlHost* hostOf(QDialog& d)
    {
        if (auto* sheet = dynamic_cast<ui::PropertySheet*>(&d))
            return sheet->activePage();
        if (auto* dialog = dynamic_cast<ui::Dialog*>(&d))
            return dialog;
        return d.findChild<ui::PropertyPage*>();  // a page shown as a chooser
    }

    void answer(QDialog& d)
    {
        ++depth_;
        log(std::string(depth_ > 1 ? "  " : "") + "window \"" + d.windowTitle().toStdString() + "\"");
        if (dynamic_cast<CSavePromptDlg*>(&d)) {
            prompted_ = true;
            clickControl(*dynamic_cast<ui::Dialog*>(&d), kSavePromptCancel);
        } else if (depth_ <= kDeepestWindow) {
            // Now and then the user is quicker than the window system, which reports the
            // window active only once it is hidden again.
            if (chance(70))
                activate(d);
            else
                d.activateWindow();
            auto* sheet = dynamic_cast<ui::PropertySheet*>(&d);
            for (int n = pick(kWindowActions + 1); n > 0 && d.isVisible(); --n) {
                if (sheet && chance(20))
                    sheet->findChild<QTabBar*>()->setCurrentIndex(pick(sheet->pageCount()));
                else if (ui::ControlHost* host = hostOf(d))
                    actOn(*host, depth_ + 1);
            }
            for (int tries = 0; tries < 3 && d.isVisible(); ++tries)
                end(d);
        }
        --depth_;
    }

    void end(QDialog& d)
    {
        const int how = pick(5);
        static const char* const names[] = {"OK", "Cancel", "Escape", "Enter", "close box"};
        log(std::string("  end with ") + names[how]);
        auto* sheet = dynamic_cast<ui::PropertySheet*>(&d);
        ui::ControlHost* host = hostOf(d);
        if (how == 0 && sheet)
            sheet->pressOk();
        else if (how == 0 && host && host->control(ui::kIdOk))
            clickControl(*host, ui::kIdOk);
        else if (how == 1 && sheet)
            sheet->pressCancel();
        else if (how == 1 && host && host->control(ui::kIdCancel))
            clickControl(*host, ui::kIdCancel);
        else if (how == 2 || how == 3)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &d,
                            how == 2 ? Qt::Key_Escape : Qt::Key_Return);
        else
            d.close();
        const bool ok = how == 0 || (how == 3 && d.result() == QDialog::Accepted);
        if (depth_ == 1 && !d.isVisible() && !ok && editsRecords(d))
            cancelled_ = true;
    }

    void reopen()
    {
        log("editor closed; shown again");
        sheet_->show();
        activate(*sheet_);
    }

    // ---- saving and the checks ----

    void saveAndReload()
    {
        log("Ctrl+S, Ctrl+L");
        QTest::keyClick(sheet_.get(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(sheet_.get(), Qt::Key_L, Qt::ControlModifier);
    }

    // Saves the sets as Ctrl+S does; empty when a page kept the sheet from saving.
    std::optional<Image> save(bool checked = true)
    {
        QTest::keyClick(sheet_.get(), Qt::Key_S, Qt::ControlModifier);
        Image image{};
        std::string message;
        if (sheet_->activeIndex() != 0 || !readSettingsFile(file_, image, message))
            return std::nullopt;
        if (checked)
            checkRanges(image);
        return image;
    }

    DecodedImage decode(const Image& image) const { return decodeImage(image, store_.modelKind()); }

    void checkRanges(const Image& image)
    {
        const DecodedImage saved = decode(image);
        for (size_t s = 0; s < saved.sets.size(); ++s) {
            const std::vector<Limit> limits = limitsOf(saved.sets[s].records);
            for (size_t i = 0; i < limits.size(); ++i) {
                const Limit& l = limits[i];
                if (fromUnit(i, l))
                    continue;
                if (l.value < l.low || l.value > l.high)
                    fail(saved.sets[s].name + " " + l.name + " saved as " + std::to_string(l.value) + ", outside " +
                         std::to_string(l.low) + " to " + std::to_string(l.high));
            }
        }
    }

    // A value the unit held in any of its sets is the unit's (or lowered from it by the level
    // limits); what the editor wrote must be in range.
    bool fromUnit(size_t index, const Limit& saved) const
    {
        if (!start_)
            return false;
        for (const DecodedSet& set : start_->sets) {
            const int held = limitsOf(set.records)[index].value;
            if (held == saved.value || (saved.lowered && saved.value < held))
                return true;
        }
        return false;
    }

    // Values no page can show (random ones, or factory ones of a model detected afterwards)
    // may be brought into range by the first visit of each page in each set, but no name may
    // change.
    void normalise()
    {
        const std::optional<Image> before = save(false);
        if (!before)
            return;
        start_ = decode(*before);
        for (const int set : {kUserSet, kInstallerSet, kCurrentSet}) {
            clickControl(sheet_->general(), set == kUserSet        ? kIdEditUser
                                            : set == kInstallerSet ? kIdEditInstaller
                                                                   : kIdEditCurrent);
            tour(sheet_->pageCount(), true);
        }
        const std::optional<Image> after = save();
        if (!after)
            return;
        for (const FieldDifference& d : diffImages(*start_, decode(*after)))
            if (d.field.find("ame") != std::string::npos)
                fail("a visit changed the text " + d.set + " " + d.field + " from " + d.first + " to " + d.second);
    }

    // Shows pages one after the other and leaves each without touching it.
    void tour(int pages, bool inOrder)
    {
        for (int n = 1; n <= pages && !failed_; ++n) {
            const int index = inOrder ? n % sheet_->pageCount() : 1 + pick(sheet_->pageCount() - 1);
            log("visit " + std::to_string(sheet_->placeOf(index)));
            if (!sheet_->setActivePage(index) || !sheet_->setActivePage(0))
                fail("page " + std::to_string(sheet_->placeOf(index)) + " visited without edits refused to be left");
        }
    }

    // A save prompt switches the edited set from User or Installer to Current: the page on
    // screen must show Current, so that leaving it brings nothing of the other set into Current.
    void checkLeavingChangesNothing()
    {
        const int shown = sheet_->activeIndex();
        const SettingsRecordSet before = sheet_->recordSet(kWorkingSet);
        log("check: leaving page " + std::to_string(sheet_->placeOf(shown)) + " after the prompt");
        if (shown == 0 || !sheet_->setActivePage(0))
            return;
        if (!(sheet_->recordSet(kWorkingSet) == before))
            fail("after a cancelled save prompt, leaving the page changed the settings:\n" +
                 differences(before, sheet_->recordSet(kWorkingSet)));
        sheet_->setActivePage(shown);
    }

    void checkVisitChangesNothing()
    {
        log("check: a visit without edits");
        const std::optional<Image> before = save();
        if (!before)
            return;  // the shown page holds a value it refused: the user must mend it first
        tour(4, false);
        const std::optional<Image> after = save();
        if (!after || *after == *before)
            return;
        std::string list;
        for (const FieldDifference& d : diffImages(decode(*before), decode(*after)))
            if (!firstShownRandomValue(d))
                list += "  " + d.set + " " + d.field + ": " + d.first + " -> " + d.second + "\n";
        if (!list.empty())
            fail("a visit without edits changed the saved file:\n" + list);
    }

    // A random value from the unit that a page cannot show is brought into range when the
    // page first shows it, which may be long after the first visit (a timer, a path, a source
    // chosen on the page).
    bool firstShownRandomValue(const FieldDifference& d) const
    {
        if (seed_ % 2 == 1 || !start_)
            return false;
        for (const DecodedSet& set : start_->sets)
            if (set.name == d.set)
                for (const NamedValue& held : flattenFields("", listSet(SettingsView::Records, set)))
                    if (held.name == d.field)
                        return held.value == d.first;
        return false;
    }

    static std::string differences(const SettingsRecordSet& before, const SettingsRecordSet& after)
    {
        std::string list;
        for (const FieldDifference& d : diffRecordSets("working", before, after))
            list += "  " + d.field + ": " + d.first + " -> " + d.second + "\n";
        return list;
    }

    unsigned seed_;
    std::mt19937 random_;
    platform::VirtualClock clock_;
    sim::SimulatedSerialPort port_;
    sim::SimulatedUnit unit_;
    SettingsStore store_;
    ScratchDir scratch_;
    std::string file_ = scratch_.file("random-use.q20");
    std::unique_ptr<CSettingsEditorSheet> sheet_;
    std::optional<DecodedImage> start_;
    std::vector<std::string> actions_;
    int actionsDone_ = 0;
    int depth_ = 0;
    bool cancelled_ = false;
    bool prompted_ = false;
    bool failed_ = false;
    bool trace_ = std::getenv("VELMAR_RANDOM_USE_TRACE") != nullptr;
};

// The offscreen platform warns at every window shown; thousands of windows drown the report.
void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!text.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, text).toLocal8Bit().constData());
}

}  // namespace

TEST(RandomUse, NoCrashNoCancelThatChangesTheSettingsNoValueOutOfRangeNoVisitThatChangesTheFile)
{
    const int actions = actionsPerSeed();
    const QtMessageHandler previous = qInstallMessageHandler(quietOffscreenWarnings);
    for (const unsigned seed : seedsToRun()) {
        RandomSession session(seed);
        session.run(actions);
    }
    qInstallMessageHandler(previous);
}
