// The settings report as users get it: two files compared as `velmarctl diff` compares them,
// nothing changed by making one, the File menu and the command line.
#include <QFile>
#include <QPainter>
#include <QTextDocument>
#include <QRegularExpression>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <functional>
#include <sstream>

#include "app/report_file.h"
#include "app/report_html.h"
#include "app/report_texts.h"
#include "app/save_prompt_dialog.h"
#include "app/settings_report.h"
#include "app/texts.h"
#include "comma_locale.h"
#include "editor_fixture.h"
#include "run_tool.h"
#include "settings/image_codec.h"
#include "settings/settings_flows.h"
#include "three_sets_image.h"
#include "unitlink/settings_file.h"

using namespace velmar;
using namespace velmar::editor;
using velmar::test::EditorFixture;
using velmar::test::ModalScript;

namespace {

constexpr int kCurrent = 0, kUser = 1, kInstaller = 2;

int setOf(const NamedSet& named)
{
    return named.base == kCurrentBase ? kCurrent : named.base == kUserBase ? kUser : kInstaller;
}

// A change a page could make to one set, where the report shows it, and how diff names it.
struct Change {
    int set;
    const char* field;    // the start of the field's name in `velmarctl diff`
    const char* section;  // the report's section keys
    std::function<void(SettingsRecordSet&)> apply;
};

const std::vector<Change>& changes()
{
    static const std::vector<Change> table{
        {kCurrent, "timers.entry", "01/zone0.timer0", [](auto& s) { s.timers.entry[0][0].days = 2; }},
        {kCurrent, "speakerConfig.cinema.subPhase", "02/cinema", [](auto& s) { s.speakerConfig.cinema.subPhase = 10; }},
        {kInstaller, "speakerConfig.room.filterDepth", "02/room",
         [](auto& s) { s.speakerConfig.room.filterDepth = 3; }},
        {kUser, "listener.distance", "03", [](auto& s) { s.listener.distance[0] += 10; }},
        {kUser, "calibration.channelLevel", "04", [](auto& s) { s.calibration.channelLevel[1] = 4; }},
        {kInstaller, "setupPresets.entry", "05/source5/page0", [](auto& s) { s.setupPresets.entry[5].lipSync = 20; }},
        {kInstaller, "inputLevels.level", "06/source2", [](auto& s) { s.inputLevels.level[2] = 6; }},
        {kCurrent, "audioOut.fs2ch", "07", [](auto& s) { s.audioOut.fs2ch = 3; }},
        {kUser, "volumes.muteLevel", "08", [](auto& s) { s.volumes.muteLevel = 2; }},
        {kInstaller, "triggers.trigger", "09/trigger2", [](auto& s) { s.triggers.trigger[1].flag[5] = 1; }},
        {kCurrent, "displays.functionTimeout", "10", [](auto& s) { s.displays.functionTimeout = 9; }},
        {kCurrent, "tuner.freq", "11/band1.preset1", [](auto& s) { s.tuner.freq[7] = 1001; }},
    };
    return table;
}

Image imageOf(const std::vector<std::uint8_t>& bytes)
{
    Image image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

// The image with the changes made to its sets, stored back as "Save As..." stores them.
Image changedImage(const Image& image, const std::vector<Change>& made)
{
    SettingsStore store;
    store.readImage = image;
    std::array<SettingsRecordSet, 3> sets;
    retrieveSets(store, [&](const NamedSet& named, SettingsStore& s) { sets[setOf(named)].loadFromStore(s); });
    for (const Change& change : made)
        change.apply(sets[static_cast<size_t>(change.set)]);
    storeBackSets(
        store, [&](const NamedSet& named, SettingsStore& s) { sets[setOf(named)].saveToStore(s); }, true);
    return store.writeImage;
}

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class Report : public EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        // A file the editor wrote itself, so that saving it again gives the same bytes.
        write(file("three.q20"), imageOf(test::threeSetsImage()));
        open(file("three.q20"));
        EXPECT_TRUE(general().SaveFileQuietly());
        fileA = file("three.q20");
    }
    void write(const std::string& path, const Image& image)
    {
        std::string message;
        ASSERT_TRUE(writeSettingsFile(path, image, message)) << message;
    }
    void open(const std::string& path)
    {
        typePath(path);
        general().SetSkipFileDialog();
        general().OnOpenFile();
        ASSERT_EQ(general().status(), texts::kFileLoaded);
    }
    Image imageA() const
    {
        Image image{};
        std::string message;
        EXPECT_TRUE(readSettingsFile(fileA, image, message)) << message;
        return image;
    }
    std::string fileA;
};

// Whether the report's cells for a set, file A's and file B's, show different words.
bool differsInSet(const ReportLine& line, int set)
{
    const ReportCell& a = line.cells[static_cast<size_t>(2 * set)];
    const ReportCell& b = line.cells[static_cast<size_t>(2 * set + 1)];
    return a.shown != b.shown || cellText(a) != cellText(b);
}

std::string sectionOf(const ReportLine& line)
{
    QStringList keys;
    for (const ReportSection& s : line.path)
        keys << s.key;
    return keys.join('/').toStdString();
}

}  // namespace

TEST_F(Report, EveryDifferenceDiffReportsInAShownSettingIsADifferingRowAndNoOtherRowDiffers)
{
    write(file("b.q20"), changedImage(imageA(), changes()));
    const test::ToolResult diff = test::runTool("diff --json " + fileA + " " + file("b.q20"));
    ASSERT_EQ(diff.status, 1) << diff.out;
    const auto differences = nlohmann::json::parse(diff.out);

    ReportSource other;
    QString message;
    ASSERT_TRUE(readReportSource(q(file("b.q20")), store.modelKind(), other, message)) << message.toStdString();
    const SettingsReport report = makeSettingsReport(editorReportSource(*sheet), &other, store, QDate(2024, 5, 6));

    // What each set's differing rows are, by section.
    std::array<std::set<std::string>, 3> differing;
    for (const ReportLine& line : report.table.lines)
        for (int set = 0; set < 3; ++set)
            if (differsInSet(line, set))
                differing[static_cast<size_t>(set)].insert(sectionOf(line));

    std::array<std::set<std::string>, 3> expected;
    for (const auto& d : differences) {
        const std::string set = d["set"], field = d["field"];
        const auto change = std::find_if(changes().begin(), changes().end(), [&](const Change& c) {
            return texts::kSetNames[c.set + 1] == set && field.rfind(c.field, 0) == 0;
        });
        ASSERT_NE(change, changes().end()) << "diff reports " << set << " " << field << ", which was not changed";
        expected[static_cast<size_t>(change->set)].insert(change->section);
        EXPECT_TRUE(differing[static_cast<size_t>(change->set)].count(change->section))
            << set << " " << field << ": no differing row in " << change->section;
    }
    EXPECT_EQ(differences.size(), changes().size()) << diff.out;
    EXPECT_EQ(differing, expected);
    const auto differs = std::count_if(report.table.lines.begin(), report.table.lines.end(),
                                       [](const ReportLine& l) { return l.differs; });
    EXPECT_EQ(report.table.differing, (std::vector<int>{5, 3, 4}));
    EXPECT_EQ(report.head.summary.front(), QString(texts::kFilesDiffer).arg(differs).arg(5).arg(3).arg(4));
}

TEST_F(Report, TheDifferingRowsAreMarkedAndDifferencesOnlyKeepsOnlyThem)
{
    // Each change is in one set only: its row differs between the three.
    write(file("b.q20"), changedImage(imageA(), changes()));
    open(file("b.q20"));
    const SettingsReport report = makeSettingsReport(editorReportSource(*sheet), nullptr, store, QDate(2024, 5, 6));
    const auto marked = std::count_if(report.table.lines.begin(), report.table.lines.end(),
                                      [](const ReportLine& l) { return l.differs; });
    // The input level of DVD tells the sets of the file apart too.
    EXPECT_EQ(marked, static_cast<long>(changes().size()) + 1);
    EXPECT_EQ(report.head.summary.front(), QString(texts::kSetsDiffer).arg(marked));

    const QString html = reportHtml(report.head, report.columns, report.table, false);
    const QString only = reportHtml(report.head, report.columns, report.table, true);
    // The document's text, as a reader sees it.
    QString all = html;
    all.remove(QRegularExpression("<[^>]*>"));
    for (const ReportLine& line : report.table.lines) {
        EXPECT_TRUE(all.contains(line.caption.toHtmlEscaped())) << line.caption.toStdString();
        for (const ReportCell& cell : line.cells)
            EXPECT_TRUE(all.contains(cellText(cell).toHtmlEscaped())) << cellText(cell).toStdString();
    }
    EXPECT_TRUE(all.contains(texts::kGeneralCaption));
    EXPECT_TRUE(all.contains("2024-05-06"));
    EXPECT_EQ(only.count(QString(">%1<").arg(texts::kDiffersMark)), marked);
    EXPECT_TRUE(only.contains(">Function Timeout:<"));
    EXPECT_FALSE(only.contains(">Enable Timers:<"));

    // The README's picture: the start of the document as the PDF lays it out.
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSize(8);
    document.setDefaultFont(font);
    document.setHtml(html);
    document.setTextWidth(760);
    QImage picture(760, 900, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    document.drawContents(&painter, QRectF(0, 0, 760, 900));
    painter.end();
    QDir().mkpath(SCREENSHOT_DIR);
    EXPECT_TRUE(picture.save(QString(SCREENSHOT_DIR) + "/report.png"));
}

TEST_F(Report, MakingReportsChangesNothingTheFileSavedAfterwardsIsTheSame)
{
    const std::string before = bytesOf(fileA);
    // An edit not yet committed, in the User set: the report shows it and leaves it pending.
    click(kIdEditUser);
    set(kWorkingSet).volumes.muteLevel = 3;
    const auto generation = general().workingSetGeneration();
    const SettingsRecordSet working = set(kWorkingSet);
    std::array<SettingsRecordSet, 4> sets{set(0), set(1), set(2), set(3)};

    ModalScript script;
    script.file(q(file("r.html"))).file(q(file("b.q20"))).file(q(file("c.pdf")));
    write(file("b.q20"), changedImage(imageA(), changes()));
    sheet->OnFileCommand(FileCommand::ExportReport);
    sheet->OnFileCommand(FileCommand::CompareWithFile);
    ASSERT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(script.shown[0].text, texts::kReportSaved);
    EXPECT_EQ(script.shown[1].text, texts::kReportSaved);
    EXPECT_EQ(bytesOf(file("c.pdf")).substr(0, 5), "%PDF-");

    EXPECT_EQ(general().workingSetGeneration(), generation);
    EXPECT_EQ(general().editIndex(), kUserSet);
    EXPECT_TRUE(set(kWorkingSet).equals(working));
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(set(i).equals(sets[static_cast<size_t>(i)])) << i;
    // The pending mute level, in the User column.
    EXPECT_NE(bytesOf(file("r.html")).find("<td>Mute Level:</td><td>Silent</td><td>-15 dB</td><td>Silent</td>"),
              std::string::npos);

    // Back to what was opened, and saved: the same bytes.
    set(kWorkingSet).assign(sets[kUserSet]);
    EXPECT_TRUE(general().SaveFileQuietly());
    EXPECT_EQ(bytesOf(fileA), before);
}

TEST_F(Report, TheFileMenuActsAsTheGeneralPagesButtonsAndItsKeys)
{
    QMenu* menu = sheet->findChild<QMenuBar*>()->actions().front()->menu();
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            items << action->text();
    EXPECT_EQ(items, (QStringList{texts::kOpenMenuItem, texts::kSaveAsMenuItem, texts::kCompareMenuItem,
                                  texts::kExportMenuItem, texts::kQuitMenuItem}));

    ModalScript script;
    // Save As... from another page: the page is left first, as the keys do.
    sheet->setActivePage(sheet->indexOfPlace(8));
    script.file(q(file("copy.q20")));
    menu->actions()[1]->trigger();
    EXPECT_EQ(sheet->activeIndex(), 0);
    EXPECT_EQ(general().status(), texts::kFileSaved);
    EXPECT_TRUE(QFile::exists(q(file("copy.q20"))));
    // Open...
    write(file("b.q20"), changedImage(imageA(), changes()));
    script.file(q(file("b.q20")));
    menu->actions()[0]->trigger();
    EXPECT_EQ(general().path(), file("b.q20"));
    EXPECT_EQ(general().status(), texts::kFileLoaded);
    ASSERT_EQ(script.fileRequests.size(), 2u);
    EXPECT_FALSE(script.fileRequests[0].open);
    EXPECT_TRUE(script.fileRequests[1].open);

    // The keys: Ctrl+E asks for a report's name, Ctrl+Shift+S for the settings file's.
    ctrl(Qt::Key_E);
    ASSERT_EQ(script.fileRequests.size(), 3u);
    EXPECT_EQ(script.fileRequests[2].filter, texts::kReportFilter);
    QTest::keyClick(general().control(kIdPath), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(script.fileRequests.size(), 4u);
    EXPECT_EQ(script.fileRequests[3].defaultExt, texts::kSettingsFileExt);
    EXPECT_FALSE(script.fileRequests[3].open);

    // Quit asks to save changed settings, as the close box does.
    set(kWorkingSet).volumes.muteLevel = 4;
    script.click(kSavePromptCancel);
    ctrl(Qt::Key_Q);
    ASSERT_FALSE(script.shown.empty());
    EXPECT_EQ(script.shown.back().text.find(texts::kSaveChangesTo), 0u);
}

namespace {

test::ProcessResult runEditor(const std::vector<std::string>& args,
                              std::vector<std::pair<std::string, std::string>> env = {})
{
    std::vector<std::string> all{SETTINGS_EDITOR_PATH};
    all.insert(all.end(), args.begin(), args.end());
    test::Command command(all);
    command.env = std::move(env);
    command.env.push_back({"QT_QPA_PLATFORM", "offscreen"});
    return test::runProcess(command);
}

}  // namespace

TEST_F(Report, TheCommandLineWritesHtmlAndPdfComparesAndSaysWhyItCannot)
{
    write(file("b.q20"), changedImage(imageA(), changes()));
    const struct {
        std::vector<std::string> args;
        int status;
        std::string output;  // what the output starts with, or what stderr holds
    } cases[] = {
        {{"--open", fileA, "--report", file("r.html")}, 0, "<!DOCTYPE html>"},
        {{"--open", fileA, "--report", file("r.pdf")}, 0, "%PDF-"},
        {{"--open", fileA, "--report", file("c.html"), "--compare", file("b.q20"), "--differences-only"},
         0,
         "<!DOCTYPE html>"},
        {{"--open", fileA, "--report", file("r.txt")}, 1, texts::kReportNameRule},
        {{"--open", fileA, "--report", file("x.html"), "--compare", file("missing.q20")}, 1, "missing.q20"},
        {{"--open", fileA, "--compare", file("b.q20")}, 2, texts::kReportOptionsNeedReport},
        {{"--open", file("missing.q20"), "--report", file("y.html")}, 1, "missing.q20"},
    };
    for (const auto& c : cases) {
        const auto result = runEditor(c.args);
        SCOPED_TRACE(c.args[3]);
        EXPECT_EQ(result.status, c.status) << result.err;
        if (c.status == 0)
            EXPECT_EQ(bytesOf(c.args[3]).substr(0, c.output.size()), c.output);
        else
            EXPECT_NE(result.err.find(c.output), std::string::npos) << result.err;
    }
    EXPECT_FALSE(QFile::exists(q(file("x.html"))));
    EXPECT_FALSE(QFile::exists(q(file("y.html"))));
    // The comparison keeps only the differing rows and counts them at the top.
    const std::string comparison = bytesOf(file("c.html"));
    EXPECT_NE(comparison.find("Rows where the files differ: "), std::string::npos);
    EXPECT_EQ(comparison.find(">Enable Timers:<"), std::string::npos);
    EXPECT_NE(comparison.find(">Function Timeout:<"), std::string::npos);
}

TEST_F(Report, WhatTheReportSaysDoesNotDependOnTheLocale)
{
    test::CommaLocale comma;
    SKIP_WITHOUT_COMMA_LOCALE(comma);
    ASSERT_EQ(runEditor({"--open", fileA, "--report", file("c.html")}, {{"LC_ALL", "C"}}).status, 0);
    ASSERT_EQ(runEditor({"--open", fileA, "--report", file("de.html")}, {{"LC_ALL", test::CommaLocale::kName}}).status,
              0);
    const std::string html = bytesOf(file("de.html"));
    EXPECT_NE(html.find("87.5 MHz"), std::string::npos);
    EXPECT_EQ(html, bytesOf(file("c.html")));
}
