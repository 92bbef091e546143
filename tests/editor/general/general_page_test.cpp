#include <QCheckBox>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <QProgressBar>

#include "editor_fixture.h"
#include "app/save_prompt_dialog.h"
#include "app/settings_editor_app.h"
#include "app/texts.h"
#include "unitlink/settings_file.h"
#include "unitlink/texts.h"

using namespace velmar;
using namespace velmar::editor;
using velmar::test::EditorFixture;
using velmar::test::ModalScript;

namespace {

using General = EditorFixture;

const std::string kFactoryTitle = "Velmar Settings Editor , Editing: Current Settings";

// A change a settings page could have made to the set it shows.
void changeSomething(SettingsRecordSet& set, int level) { set.inputLevels.level[0] = level; }

}  // namespace

TEST(GeneralHelpers, SettingsFileNamesAndFileNames)
{
    EXPECT_TRUE(IsSettingsFile("/tmp/a.q20"));
    EXPECT_TRUE(IsSettingsFile(".q20"));
    EXPECT_FALSE(IsSettingsFile("/tmp/a.Q20"));
    EXPECT_FALSE(IsSettingsFile("/tmp/a.q20.q20"));
    EXPECT_FALSE(IsSettingsFile("/tmp/a.q20x"));
    EXPECT_FALSE(IsSettingsFile(""));
    EXPECT_EQ(FileNameOf("/home/u/a.q20"), "a.q20");
    EXPECT_EQ(FileNameOf("C:\\units\\b.q20"), "b.q20");
    EXPECT_EQ(FileNameOf("plain.q20"), "plain.q20");
}

TEST_F(General, StartsOnFactorySettingsWithTheTitleNamingCurrent)
{
    EXPECT_EQ(title(), kFactoryTitle);
    EXPECT_EQ(general().editIndex(), kCurrentSet);
    EXPECT_EQ(label(kIdUnitStatus), texts::kUnitNotDetected);
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(set(i).equals(set(0))) << i;
    EXPECT_FALSE(general().progressBar()->isVisible());
    saveScreenshot("general_idle.png");
}

TEST_F(General, TheProgramSetsNoDisplayNameThatWouldLengthenTheTitle)
{
    CSettingsEditorApp::SetUpApplication();
    // Without one set, the display name Qt gives back is the application name, and Qt on X11
    // appends nothing to the title.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    click(kIdEditUser);
    EXPECT_EQ(sheet->windowTitle(), q("Velmar Settings Editor , Editing: User Settings"));
}

TEST_F(General, EditingAnotherSetKeepsTheChangesOfTheOneBefore)
{
    click(kIdEditUser);
    EXPECT_EQ(title(), "Velmar Settings Editor , Editing: User Settings");
    changeSomething(set(kWorkingSet), 9);
    click(kIdEditInstaller);
    EXPECT_EQ(title(), "Velmar Settings Editor , Editing: Installer Settings");
    EXPECT_EQ(set(kUserSet).inputLevels.level[0], 9);
    EXPECT_TRUE(set(kWorkingSet).equals(set(kInstallerSet)));
    EXPECT_FALSE(set(kInstallerSet).equals(set(kUserSet)));
    EXPECT_FALSE(set(kCurrentSet).equals(set(kUserSet)));

    click(kIdEditCurrent);
    changeSomething(set(kWorkingSet), 3);
    click(kIdCopyToInstaller);
    EXPECT_EQ(title(), kFactoryTitle);
    EXPECT_EQ(set(kInstallerSet).inputLevels.level[0], 3);
    EXPECT_EQ(set(kCurrentSet).inputLevels.level[0], 3);
    EXPECT_EQ(set(kUserSet).inputLevels.level[0], 9);
}

TEST_F(General, SaveAsThenOpenBringsTheSetsBack)
{
    ModalScript script;
    const std::string path = file("unit.q20");
    changeSomething(set(kWorkingSet), 6);
    click(kIdCopyToUser);
    script.file(q(path));
    click(kIdSaveAs);
    ASSERT_EQ(script.fileRequests.size(), 1u);
    EXPECT_FALSE(script.fileRequests[0].open);
    EXPECT_EQ(script.fileRequests[0].initialName, texts::kDefaultFileName);
    EXPECT_EQ(script.fileRequests[0].filter, texts::kSettingsFileFilter);
    EXPECT_EQ(general().status(), texts::kFileSaved);
    EXPECT_EQ(title(), "Velmar Settings Editor unit.q20, Editing: Current Settings");

    // Throw the changes away, then load them from the file.
    changeSomething(set(kWorkingSet), 0);
    click(kIdCopyToUser);
    script.file(q(path));
    click(kIdOpenFile);
    EXPECT_TRUE(script.fileRequests.back().open);
    EXPECT_EQ(general().status(), texts::kFileLoaded);
    EXPECT_EQ(set(kCurrentSet).inputLevels.level[0], 6);
    EXPECT_EQ(set(kUserSet).inputLevels.level[0], 6);
    EXPECT_EQ(set(kWorkingSet).inputLevels.level[0], 6);
    EXPECT_TRUE(script.shown.empty());
}

TEST_F(General, ACancelledFileDialogKeepsThePathAndAMissingFileSaysSo)
{
    ModalScript script;
    typePath(file("kept.q20"));
    script.file(std::nullopt);
    click(kIdOpenFile);
    EXPECT_EQ(general().path(), file("kept.q20"));
    EXPECT_EQ(general().status(), "");

    script.file(q(file("missing.q20")));
    click(kIdOpenFile);
    EXPECT_EQ(general().status(), fileMessage(kSettingsFileOpenErrorText, file("missing.q20"), std::strerror(ENOENT)));
}

// The same readers and writers as velmarctl: a refusal shows in the status line and changes
// neither the target nor the sets; an empty file still loads, leaving the image it holds.
TEST_F(General, RefusedFilesShowInTheStatusLineAndChangeNothing)
{
    ModalScript script;
    const std::string fifo = file("fifo.q20"), notes = file("notes.txt"), empty = file("empty.q20");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    {
        std::ofstream(notes) << "not settings\n";
    }
    {
        std::ofstream create(empty);
    }
    changeSomething(set(kWorkingSet), 5);
    click(kIdCopyToUser);

    script.file(q(fifo));
    click(kIdSaveAs);
    EXPECT_EQ(general().status(), fileMessage(kSettingsFileOpenErrorText, fifo, "not a regular file"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    script.file(q(notes));
    click(kIdOpenFile);
    EXPECT_EQ(general().status(), fileMessage(kSettingsFileNoRecordsText, notes));
    EXPECT_EQ(set(kUserSet).inputLevels.level[0], 5);

    script.file(q(empty));
    click(kIdOpenFile);
    EXPECT_EQ(general().status(), texts::kFileLoaded) << "the sets come from the image held before";
}

TEST_F(General, CtrlSWithoutAFileAsksForOneAndACancelShowsNothing)
{
    ModalScript script;
    sheet->setActivePage(0);
    script.file(std::nullopt);
    ctrl(Qt::Key_S);
    EXPECT_EQ(script.fileRequests.size(), 1u);
    EXPECT_TRUE(script.shown.empty());

    script.file(q(file("quick.q20")));
    script.click(ui::kIdOk);
    ctrl(Qt::Key_S);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].title, texts::kMessageCaption);
    EXPECT_EQ(script.shown[0].text, texts::kFileSaved);
    EXPECT_TRUE(std::filesystem::exists(file("quick.q20")));
    // The quiet save leaves the status line alone.
    EXPECT_EQ(general().status(), "");
}

// A save that does not happen says why, and the prompt's "Save As.." then asks again rather
// than closing the editor on the unsaved changes.
TEST_F(General, AQuietSaveThatFailsSaysWhyAndThePromptAsksAgain)
{
    ModalScript script;
    const std::string nowhere = file("missing/settings.q20");
    typePath(nowhere);
    ctrl(Qt::Key_S);
    EXPECT_TRUE(script.shown.empty()) << "no \"File Saved\"";
    EXPECT_EQ(general().status().rfind(fileMessage(kSettingsFileOpenErrorText, nowhere), 0), 0u) << general().status();

    changeSomething(set(kWorkingSet), 2);
    script.click(kSavePromptSaveAs).file(q(nowhere)).click(kSavePromptCancel);
    sheet->pressCancel();
    EXPECT_EQ(script.shown.size(), 2u);
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(General, CtrlLReloadsTheFileWithoutADialog)
{
    ModalScript script;
    changeSomething(set(kWorkingSet), 4);
    script.file(q(file("reload.q20")));
    click(kIdSaveAs);
    changeSomething(set(kWorkingSet), 8);
    click(kIdEditUser);
    ctrl(Qt::Key_L);
    EXPECT_EQ(script.fileRequests.size(), 1u);
    EXPECT_EQ(general().editIndex(), kCurrentSet);
    EXPECT_EQ(set(kWorkingSet).inputLevels.level[0], 4);
    EXPECT_EQ(general().status(), texts::kFileLoaded);
}

TEST_F(General, OkWithoutChangesClosesWithoutAPrompt)
{
    ModalScript script;
    sheet->pressOk();
    EXPECT_TRUE(script.shown.empty());
    EXPECT_FALSE(sheet->isVisible());
}

TEST_F(General, ThePromptsFourAnswers)
{
    ModalScript script;
    typePath(file("prompt.q20"));
    general().updateData(true);
    changeSomething(set(kWorkingSet), 2);

    // Cancel keeps the editor open, editing Current.
    click(kIdEditUser);
    script.click(kSavePromptCancel);
    sheet->pressOk();
    EXPECT_TRUE(sheet->isVisible());
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].text, "Save changes to prompt.q20?");
    EXPECT_EQ(general().editIndex(), kCurrentSet);

    // "Save As.." and a cancelled file dialog ask again; "No" then closes without saving.
    script.click(kSavePromptSaveAs).file(std::nullopt).click(kSavePromptNo);
    sheet->pressCancel();
    EXPECT_EQ(script.shown.size(), 3u);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_FALSE(std::filesystem::exists(file("prompt.q20")));
}

TEST_F(General, PromptYesSavesToTheFileAndSaveAsToANewOne)
{
    ModalScript script;
    typePath(file("yes.q20"));
    general().updateData(true);
    changeSomething(set(kWorkingSet), 2);
    script.click(kSavePromptYes);
    sheet->pressOk();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(std::filesystem::exists(file("yes.q20")));
    EXPECT_TRUE(general().snapshot(kCurrentSet).equals(set(kCurrentSet)));

    // Saved: no prompt any more.
    sheet->show();
    sheet->pressOk();
    EXPECT_EQ(script.shown.size(), 1u);

    sheet->show();
    changeSomething(set(kWorkingSet), 5);
    script.click(kSavePromptSaveAs).file(q(file("other.q20")));
    sheet->pressCancel();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(std::filesystem::exists(file("other.q20")));
    EXPECT_EQ(general().path(), file("other.q20"));
}

TEST_F(General, PromptYesWithAPathInCapitalsAsksForAName)
{
    ModalScript script;
    typePath(file("caps.Q20"));
    general().updateData(true);
    changeSomething(set(kWorkingSet), 2);
    script.click(kSavePromptYes).file(std::nullopt).click(kSavePromptCancel);
    sheet->pressOk();
    EXPECT_EQ(script.fileRequests.size(), 1u);
    EXPECT_EQ(script.shown.size(), 2u);  // asked again after the cancelled dialog
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FALSE(std::filesystem::exists(file("caps.Q20")));
}

TEST_F(General, OpeningAFileThatDiffersFromTheFactoryAsksOnOk)
{
    ModalScript script;
    changeSomething(set(kWorkingSet), 7);
    script.file(q(file("changed.q20")));
    click(kIdSaveAs);
    sheet->pressOk();
    EXPECT_TRUE(script.shown.empty());

    SettingsStore otherStore;
    editor::CSettingsEditorSheet other(otherStore, port, clock);
    other.setActivePage(0);
    script.file(q(file("changed.q20")));
    other.general().OnOpenFile();
    script.click(kSavePromptNo);
    other.pressOk();
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].text, "Save changes to changed.q20?");
}

TEST_F(General, AutoDetectWithoutLoadingOnlyFillsTheUnitStatusLine)
{
    general().controlAs<QCheckBox>(kIdLoadFromUnit)->setChecked(false);
    const SettingsRecordSet before = set(kCurrentSet);
    click(kIdAutoDetect);
    EXPECT_EQ(label(kIdUnitStatus), "QRX30 Firmware Version: 2.20");
    EXPECT_EQ(store.modelKind(), ModelKind::Qrx30);
    EXPECT_EQ(general().status(), "");
    EXPECT_TRUE(set(kCurrentSet).equals(before));
    EXPECT_EQ(title(), kFactoryTitle);
}

TEST_F(General, AutoDetectWithNoUnitSaysSo)
{
    port.unplug("COM1");
    click(kIdAutoDetect);
    EXPECT_EQ(label(kIdUnitStatus), unitlink::texts::kNoUnitEditor);
    EXPECT_EQ(store.modelKind(), ModelKind::Undetected);
}

TEST_F(General, HelpAndAboutShowTheirBoxes)
{
    ModalScript script;
    click(kIdHelp);
    click(kIdAbout);
    sheet->OnSysCommand(kIdmAboutBox);
    ASSERT_EQ(script.shown.size(), 3u);
    EXPECT_EQ(script.shown[0].text, texts::kNonSetupHelp);
    EXPECT_EQ(script.shown[1].title, texts::kAboutCaption);
    EXPECT_NE(script.shown[1].text.find(texts::kVersion), std::string::npos);
    EXPECT_EQ(script.shown[2].title, texts::kAboutCaption);
}
