// The editor's pages under the offscreen platform:
//   switch  - median time to switch from "0. General" to each page, painted; one line a page
//   start   - the editor's start (process start to its window's first paint, through the
//             program's own start-up) against a bare dialog with twenty buttons (a program of
//             its own), run alternately in one run; medians and their ratio, and the editor
//             with no settings pages beside them (what the pages add)
//   report  - a report of a file whose three sets differ, as HTML and as PDF: made in the
//             running editor, and the whole run of `settings_editor --open FILE --report OUT`
//             (process start to exit); medians, against the goal of 2 s
// Usage: bench_pages [switch|start|report|all] [rounds]
#include <QApplication>
#include <QTimer>
#include <sys/wait.h>
#include <unistd.h>

#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "first_paint.h"
#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/posix_serial_port.h"
#include "settings/image_codec.h"
#include "settings/records/settings_record_set.h"
#include "settings/settings_flows.h"
#include "settings/settings_store.h"
#include "unitlink/settings_file.h"
#include "app/settings_editor_app.h"
#include "app/settings_editor_sheet.h"
#include "app/settings_report.h"

using namespace velmar;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

struct Editor {
    explicit Editor(const std::vector<editor::PageEntry>& pages = editor::settingsPageTable())
        : sheet(store, port, clock, nullptr, 0, pages)
    {
    }
    platform::PosixSerialPort port{platform::PortNames(std::vector<std::string>{})};
    platform::RealClock clock;
    SettingsStore store{Variant::Editor};
    editor::CSettingsEditorSheet sheet;
};

// Shows the window and returns once it has been painted.
void showPainted(QWidget& window)
{
    window.show();
    window.repaint();
    QApplication::processEvents();
}

int benchSwitch(int rounds)
{
    Editor e;
    e.sheet.setActivePage(0);
    showPainted(e.sheet);
    std::printf("page switch from \"0. General\", painted, %d rounds (median, p90; first showing)\n", rounds);
    bool allUnder = true;
    for (int index = 1; index < e.sheet.pageCount(); ++index) {
        std::vector<double> ms;
        for (int r = 0; r < rounds; ++r) {
            e.sheet.setActivePage(0);
            QApplication::processEvents();
            const auto start = Clock::now();
            e.sheet.setActivePage(index);
            e.sheet.repaint();
            ms.push_back(msSince(start));
        }
        const double m = median(ms);
        allUnder = allUnder && m < 16.0;
        std::printf("  %02d %-26s %6.2f ms  %6.2f ms  (%6.2f ms)\n", e.sheet.placeOf(index),
                    e.sheet.page(index)->caption().toUtf8().constData(), m, percentile(ms, 0.9), ms.front());
    }
    std::printf("  every page under one frame (16 ms): %s\n", allUnder ? "yes" : "NO");
    return allUnder ? 0 : 1;
}

// Child modes: start as the program does, exit at the window's first paint.
int startEditor()
{
    editor::CSettingsEditorApp::SetUpApplication();
    const bench::FirstPaintExit firstPaint;
    return editor::CSettingsEditorApp().Run(QStringList{QApplication::applicationFilePath()});
}

int startGeneralOnly()
{
    Editor e(std::vector<editor::PageEntry>{});
    const bench::FirstPaintExit firstPaint;
    return e.sheet.doModal();
}

// Process start to the child's report of its first paint; -1 when it failed.
double runChild(const char* program, const char* mode)
{
    int paint[2];
    if (pipe(paint) != 0)
        return -1.0;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(paint[0]);
        setenv("VELMAR_FIRST_PAINT_FD", std::to_string(paint[1]).c_str(), 1);
        execl(program, program, mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(paint[1]);
    char byte = 0;
    const bool painted = read(paint[0], &byte, 1) == 1;
    const double ms = msSince(start);
    close(paint[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return painted && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1.0;
}

int benchStart(const char* self, int rounds)
{
    std::vector<double> editorMs, dialogMs, generalMs;
    for (int r = 0; r < rounds; ++r) {
        generalMs.push_back(runChild(self, "child-general"));
        // Alternate which goes first, so neither gets the warmer caches.
        const bool editorFirst = r % 2 == 0;
        const double first = editorFirst ? runChild(self, "child-editor") : runChild(BARE_DIALOG_PATH, "");
        const double second = editorFirst ? runChild(BARE_DIALOG_PATH, "") : runChild(self, "child-editor");
        if (first < 0 || second < 0) {
            std::fprintf(stderr, "a child failed\n");
            return 1;
        }
        (editorFirst ? editorMs : dialogMs).push_back(first);
        (editorFirst ? dialogMs : editorMs).push_back(second);
    }
    const double e = median(editorMs);
    const double d = median(dialogMs);
    std::printf("start to first paint, %d rounds each, alternating (median)\n", rounds);
    std::printf("  bare dialog, 20 buttons   %7.1f ms\n", d);
    std::printf("  settings editor           %7.1f ms\n", e);
    std::printf("  (General page alone       %7.1f ms)\n", median(generalMs));
    std::printf("  ratio %.3f (limit 1.1): %s\n", e / d, e / d <= 1.1 ? "within" : "OVER");
    return e / d <= 1.1 ? 0 : 1;
}

// A settings file whose three sets differ on every page; its path, empty when it cannot be written.
std::string writeThreeSetsFile(const std::string& dir)
{
    SettingsStore store;
    prepareStore(store, false);
    encodeUnitState(store);
    storeBackSets(
        store,
        [](const NamedSet& set, SettingsStore& s) {
            SettingsRecordSet r;
            r.loadFromStore(s);
            const int k = set.base / 0x200;  // 1, 2, 3
            r.timers.entry[0][0].days = k;
            r.speakerConfig.cinema.subPhase = 5 * k;
            r.listener.distance[0] += k;
            r.calibration.channelLevel[0] = k;
            r.setupPresets.entry[0].lipSync = k;
            r.inputLevels.level[0] = k;
            r.audioOut.fs2ch = k;
            r.volumes.muteLevel = k;
            r.triggers.trigger[0].flag[0] = k % 2;
            r.displays.functionTimeout = k + 2;
            r.tuner.freq[6] = 880 + k;
            r.saveToStore(s);
        },
        false);
    const std::string path = dir + "/three-sets.q20";
    std::string message;
    return writeSettingsFile(path, store.writeImage, message) ? path : std::string();
}

// Child mode: the program's own run with --report.
int reportChild(const char* file, const char* out)
{
    editor::CSettingsEditorApp::SetUpApplication();
    return editor::CSettingsEditorApp().Run(
        {QApplication::applicationFilePath(), "--open", QString(file), "--report", QString(out)});
}

// Process start to exit of `self child-report FILE OUT`; -1 when it failed.
double runReportChild(const char* self, const std::string& file, const std::string& out)
{
    const auto start = Clock::now();
    const pid_t pid = bench::spawn({self, "child-report", file, out}, bench::ChildOutput::Quiet);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return -1.0;
    const double ms = msSince(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1.0;
}

constexpr int kReportRounds = 7;

int benchReport(int argc, char** argv, const char* self, int rounds)
{
    char scratch[] = "/tmp/bench_report_XXXXXX";
    if (!mkdtemp(scratch))
        return 1;
    const std::string dir = scratch;
    const std::string file = writeThreeSetsFile(dir);
    if (file.empty())
        return 1;
    QApplication app(argc, argv);
    Editor e;
    e.sheet.setActivePage(0);
    e.sheet.general().controlAs<QLineEdit>(editor::kIdPath)->setText(QString::fromStdString(file));
    e.sheet.general().SetSkipFileDialog();
    e.sheet.general().OnOpenFile();
    constexpr double kGoalMs = 2000.0;
    std::printf("report of a file whose three sets differ, %d rounds (median; goal %.0f ms)\n", rounds, kGoalMs);
    bool within = true;
    for (const char* format : {"html", "pdf"}) {
        const std::string out = dir + "/report." + format;
        std::vector<double> inEditor, wholeRun;
        for (int r = 0; r < rounds; ++r) {
            const auto start = Clock::now();
            QString message;
            if (!editor::writeSettingsReport({QString::fromStdString(out)}, editor::editorReportSource(e.sheet),
                                             e.sheet.store(), message)) {
                std::fprintf(stderr, "%s\n", message.toUtf8().constData());
                return 1;
            }
            inEditor.push_back(msSince(start));
            wholeRun.push_back(runReportChild(self, file, out));
        }
        if (*std::min_element(wholeRun.begin(), wholeRun.end()) < 0) {
            std::fprintf(stderr, "a report run failed\n");
            return 1;
        }
        within = within && median(wholeRun) <= kGoalMs;
        std::printf("  %-4s  in the editor %7.1f ms   whole run (start to exit) %7.1f ms\n", format, median(inEditor),
                    median(wholeRun));
    }
    std::printf("  within the goal: %s\n", within ? "yes" : "NO");
    std::filesystem::remove_all(dir);
    return within ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string mode = argc > 1 ? argv[1] : "all";
    if (mode == "child-editor" || mode == "child-general") {
        QApplication app(argc, argv);
        return mode == "child-editor" ? startEditor() : startGeneralOnly();
    }
    if (mode == "child-report" && argc > 3) {
        QApplication app(argc, argv);
        return reportChild(argv[2], argv[3]);
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 30;
    int failed = 0;
    if (mode == "switch" || mode == "all") {
        QApplication app(argc, argv);
        failed |= benchSwitch(rounds);
    }
    if (mode == "start" || mode == "all")
        failed |= benchStart("/proc/self/exe", rounds);
    if (mode == "report" || mode == "all")
        failed |= benchReport(argc, argv, "/proc/self/exe", argc > 2 ? rounds : kReportRounds);
    return failed;
}
