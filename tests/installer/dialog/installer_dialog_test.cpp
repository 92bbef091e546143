// The installer's dialog, headless: button rules, the worker's messages, closing mid-run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

#include "about_dialog.h"
#include "installer_context.h"
#include "installer_dialog.h"
#include "installer_texts.h"
#include "unitlink/texts.h"

namespace velmar::installer {
namespace {

// A port list that names no device: every scan fails at once.
constexpr const char* kNoSuchPort = "/nonexistent/velmar-tty";

struct DialogTest : ::testing::Test {
    DialogTest()
    {
        context.firmware = embeddedFirmware();
        context.ports = kNoSuchPort;
        dialog.setMessageBox([this](const QString& text) { messages << text; });
    }
    ~DialogTest() override
    {
        if (dialog.running())
            waitForEnd();
    }
    // Serves the worker's messages until its run has ended.
    bool waitForEnd()
    {
        QSignalSpy ended(&dialog, &CInstallerDlg::runEnded);
        return dialog.running() ? ended.wait(60000) : true;
    }
    QString statusLine() const { return dialog.findChild<QLabel*>("1011")->text(); }
    void click(const char* id) { dialog.findChild<QPushButton*>(id)->click(); }
    void grab(const QString& name)
    {
        QDir().mkpath(SCREENSHOT_DIR);
        dialog.grab().save(QString(SCREENSHOT_DIR) + "/" + name + ".png");
    }

    InstallerContext context;
    CInstallerDlg dialog{context};
    QStringList messages;
};

TEST_F(DialogTest, CaptionAboutBoxAndProcedure)
{
    EXPECT_EQ(dialog.windowTitle(), "QRX 30 Installer Version 1.13");
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "About Installer");
    EXPECT_EQ(about.findChild<QLabel*>("1000")->text(), "QRX 30 Installer Version 1.13");
    auto* procedure = dialog.findChild<QLabel*>("1012");
    EXPECT_TRUE(
        procedure->text().startsWith("Procedure:\n\n1. Ensure that your QRX 30 Setup configuration is saved.\n"));
    EXPECT_TRUE(
        procedure->text().endsWith("8. Time and day settings are automatically set to your computer's settings.\n"));
    EXPECT_TRUE(procedure->font().bold());
    const auto actions = dialog.findChild<QMenuBar*>()->actions().first()->menu()->actions();
    EXPECT_EQ(actions.last()->text(), "&About Installer...");
    dialog.resize(640, 420);
    grab("installer-idle");
}

TEST_F(DialogTest, AbortWithNoRunDoesNothing)
{
    click("1014");
    EXPECT_FALSE(dialog.running());
    EXPECT_EQ(statusLine(), "");
}

TEST_F(DialogTest, SecondPressWhileRunningIsTurnedAway)
{
    click("1013");
    ASSERT_TRUE(dialog.running());
    // The worker cannot finish before this thread serves its first report.
    click("1013");
    EXPECT_EQ(messages, QStringList{texts::kStillInProgress});
    ASSERT_TRUE(waitForEnd());
    EXPECT_FALSE(dialog.running());
    EXPECT_EQ(statusLine().toStdString(), unitlink::texts::kNoUnitInstaller) << "the procedure's last text stays";
}

TEST_F(DialogTest, ReportsWhileRunningAndAfterwards)
{
    dialog.resize(640, 420);
    QStringList shown;
    QObject::connect(&dialog, &CInstallerDlg::statusShown, [&](const QString& text) {
        shown << text;
        if (shown.size() == 1)
            grab("installer-running");  // the worker waits in its report meanwhile
    });
    click("1013");
    ASSERT_TRUE(waitForEnd());
    grab("installer-finished");
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first(), texts::qt(texts::searching()));
    EXPECT_EQ(shown.last().toStdString(), unitlink::texts::kNoUnitInstaller);
    click("1013");
    EXPECT_TRUE(messages.isEmpty()) << "a new run starts once the last has ended";
    ASSERT_TRUE(waitForEnd());
}

TEST_F(DialogTest, AbortedRunSaysSo)
{
    click("1013");
    click("1014");
    EXPECT_EQ(statusLine(), texts::kAborting);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(statusLine(), texts::qt(texts::kAbortedByUser));
}

TEST_F(DialogTest, TheWindowKeepsItsHeightWhenTheStatusLineFillsIn)
{
    dialog.show();
    QCoreApplication::processEvents();
    const int idle = dialog.height();
    ASSERT_EQ(statusLine(), "");
    click("1013");
    click("1014");  // "Aborting..." shows at once, while the run goes on
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.height(), idle);
    ASSERT_TRUE(waitForEnd());
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.height(), idle);
    // The longest line a run ends with (no unit anywhere) may widen the window, not heighten it.
    click("1013");
    ASSERT_TRUE(waitForEnd());
    ASSERT_EQ(statusLine().toStdString(), unitlink::texts::kNoUnitInstaller);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.height(), idle);
}

TEST_F(DialogTest, ClosingMidRunWaitsForTheWorker)
{
    dialog.show();
    click("1013");
    ASSERT_TRUE(dialog.running());
    dialog.close();
    EXPECT_FALSE(dialog.running());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(statusLine(), texts::qt(texts::kAbortedByUser));
}

}  // namespace
}  // namespace velmar::installer

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
