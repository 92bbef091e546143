#include "general/general_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/about_dialog.h"
#include "app/message_dialog.h"
#include "app/progress_bar_sink.h"
#include "app/status_line_host.h"
#include "settings/image_codec.h"
#include "settings/settings_flows.h"
#include "app/texts.h"
#include "ui/file_dialog.h"
#include "ui/property_sheet.h"

namespace velmar::editor {

bool IsSettingsFile(const std::string& path)
{
    const auto at = path.find(texts::kSettingsFileExt);
    return at != std::string::npos && at + 4 == path.size();
}

std::string FileNameOf(const std::string& path)
{
    // Paths typed in the other system's form still name their file.
    const auto at = path.find_last_of("/\\");
    return at == std::string::npos ? path : path.substr(at + 1);
}

namespace {

int setIndexOf(const NamedSet& named)
{
    switch (named.base) {
    case kCurrentBase: return kCurrentSet;
    case kUserBase: return kUserSet;
    default: return kInstallerSet;
    }
}

}  // namespace

CGeneral::CGeneral(SettingsStore& store, platform::SerialPort& port, platform::Clock& clock)
    : ui::PropertyPage(texts::kGeneralCaption), store_(store), link_(Variant::Editor, port, clock),
      unitStatus_(texts::kUnitNotDetected)
{
    buildControls();
    mapCommands();
    progress_ = std::make_unique<ProgressBarSink>(progressBar());
    statusLine_ = std::make_unique<StatusLineHost>(status_, [this] { showTexts(); });
    unitStatusLine_ = std::make_unique<StatusLineHost>(unitStatus_, [this] { showTexts(); });
}

CGeneral::~CGeneral() = default;

void CGeneral::buildControls()
{
    const auto button = [this](int id, const char* text) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        registerControl(id, b);
        return b;
    };
    // Check boxes with their text on the left of the box.
    const auto check = [this](int id, const char* text) {
        auto* c = new QCheckBox(text, this);
        c->setLayoutDirection(Qt::RightToLeft);
        registerControl(id, c);
        return c;
    };
    const auto statusLine = [this](int id) {
        auto* l = new QLabel(this);
        l->setWordWrap(true);
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumHeight(2 * fontMetrics().height() + 6);
        registerControl(id, l);
        return l;
    };

    auto* top = new QGridLayout;
    top->addWidget(button(kIdAbout, texts::kAboutButton), 0, 0);
    top->addWidget(button(kIdAutoDetect, texts::kAutoDetect), 0, 1);
    top->addWidget(check(kIdLoadFromUnit, texts::kLoadFromUnitCheck), 0, 2);
    top->addWidget(statusLine(kIdUnitStatus), 1, 0, 1, 4);
    top->setColumnStretch(3, 1);

    auto* files = new QGridLayout;
    files->addWidget(button(kIdSaveUnitToFile, texts::kSaveUnitToFile), 0, 0);
    files->addWidget(button(kIdLoadFileToUnit, texts::kLoadFileToUnit), 0, 1);
    auto* nonSetup = new QHBoxLayout;
    nonSetup->addWidget(check(kIdLoadNonSetup, texts::kLoadNonSetupCheck));
    auto* help = button(kIdHelp, texts::kHelpButton);
    help->setMaximumWidth(help->fontMetrics().horizontalAdvance("??") + 16);
    nonSetup->addWidget(help);
    nonSetup->addStretch(1);
    files->addLayout(nonSetup, 0, 2);
    files->addWidget(button(kIdSaveAs, texts::kSaveAs), 1, 0);
    files->addWidget(button(kIdOpenFile, texts::kOpenFile), 1, 1);
    auto* path = new QLineEdit(this);
    registerControl(kIdPath, path);
    files->addWidget(path, 1, 2);
    files->setColumnStretch(2, 1);

    auto* edit = new QGroupBox(texts::kEditGroup, this);
    auto* editLayout = new QVBoxLayout(edit);
    for (const auto& [id, text] : {std::pair{kIdEditCurrent, texts::kEditCurrent},
                                   {kIdEditUser, texts::kEditUser},
                                   {kIdEditInstaller, texts::kEditInstaller}})
        editLayout->addWidget(button(id, text));
    auto* copy = new QGroupBox(texts::kCopyGroup, this);
    auto* copyLayout = new QVBoxLayout(copy);
    copyLayout->addWidget(button(kIdCopyToUser, texts::kCopyToUser));
    copyLayout->addWidget(button(kIdCopyToInstaller, texts::kCopyToInstaller));
    copyLayout->addStretch(1);
    auto* sets = new QHBoxLayout;
    sets->addWidget(edit);
    sets->addWidget(copy);
    sets->addStretch(1);

    auto* progress = new QProgressBar(this);
    progress->setTextVisible(false);
    QSizePolicy keepPlace = progress->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    progress->setSizePolicy(keepPlace);
    progress->setVisible(false);
    registerControl(kIdProgress, progress);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(files);
    layout->addSpacing(8);
    layout->addLayout(sets);
    layout->addStretch(1);
    layout->addWidget(statusLine(kIdStatus));
    layout->addWidget(progress);
}

void CGeneral::mapCommands()
{
    const std::pair<int, std::function<void()>> table[] = {
        {kIdAbout, [this] { OnAbout(); }},
        {kIdHelp, [this] { OnHelp(); }},
        {kIdAutoDetect, [this] { OnAutoDetect(); }},
        {kIdSaveUnitToFile, [this] { OnSaveUnitToFile(); }},
        {kIdLoadFileToUnit, [this] { OnLoadFileToUnit(); }},
        {kIdSaveAs, [this] { OnSaveAs(); }},
        {kIdOpenFile, [this] { OnOpenFile(); }},
        {kIdEditCurrent, [this] { OnEditCurrent(); }},
        {kIdEditUser, [this] { OnEditSet(kUserSet); }},
        {kIdEditInstaller, [this] { OnEditSet(kInstallerSet); }},
        {kIdCopyToUser, [this] { OnCopyCurrentTo(kUserSet); }},
        {kIdCopyToInstaller, [this] { OnCopyCurrentTo(kInstallerSet); }},
    };
    for (const auto& [id, handler] : table)
        onCommand(id, ui::Notify::Clicked, handler);
}

QProgressBar* CGeneral::progressBar() const { return controlAs<QProgressBar>(kIdProgress); }

void CGeneral::doDataExchange(ui::DataExchange& dx)
{
    ui::ddxText(dx, kIdPath, path_);
    ui::ddxText(dx, kIdStatus, status_);
    ui::ddxText(dx, kIdUnitStatus, unitStatus_);
    ui::ddxCheck(dx, kIdLoadNonSetup, loadNonSetup_);
    ui::ddxCheck(dx, kIdLoadFromUnit, loadFromUnit_);
}

void CGeneral::RegisterSet(SettingsRecordSet* set)
{
    for (size_t i = 0; i < sets_.size(); ++i) {
        if (!sets_[i]) {
            sets_[i] = set;
            snapshots_[i].assign(*set);
            return;
        }
    }
}

void CGeneral::onInitDialog()
{
    ui::PropertyPage::onInitDialog();
    for (SettingsRecordSet* s : sets_) {
        prepareStore(store_, true);
        prepareStore(store_, false);
        s->loadFromStore(store_);
    }
    CommitWorkingSet();
    setModified(true);
    for (int i = kCurrentSet; i <= kInstallerSet; ++i)
        snapshots_[static_cast<size_t>(i)].assign(set(i));
}

void CGeneral::UpdateTitle()
{
    if (!sheet())
        return;
    const std::string title = std::string(texts::kTitlePrefix) + FileNameOf(path_) + texts::kTitleInfix +
                              texts::kSetNames[editIndex_] + texts::kTitleSuffix;
    sheet()->setWindowTitle(QString::fromStdString(title));
}

void CGeneral::CommitWorkingSet()
{
    set(editIndex_).assign(set(kWorkingSet));
    ReplaceWorkingSet(kCurrentSet);
    editIndex_ = kCurrentSet;
    UpdateTitle();
}

void CGeneral::ReplaceWorkingSet(int index)
{
    if (set(kWorkingSet).equals(set(index)))
        return;
    set(kWorkingSet).assign(set(index));
    ++workingSetGeneration_;
}

bool CGeneral::PromptFileName(bool open)
{
    const std::string remembered = path_;
    path_ = texts::kDefaultFileName;
    const ui::FileDialogRequest request{open, texts::kSettingsFileExt, texts::kDefaultFileName,
                                        texts::kSettingsFileFilter};
    const auto chosen = ui::promptForFile(this, request);
    path_ = chosen ? chosen->toStdString() : remembered;
    UpdateTitle();
    showTexts();
    return chosen.has_value();
}

void CGeneral::LoadSetsFromImage()
{
    retrieveSets(store_,
                 [this](const NamedSet& named, SettingsStore& store) { set(setIndexOf(named)).loadFromStore(store); });
    editIndex_ = kCurrentSet;
    ReplaceWorkingSet(kCurrentSet);
    UpdateTitle();
}

void CGeneral::StoreSetsToImage(bool keepUnitArea)
{
    storeBackSets(
        store_, [this](const NamedSet& named, SettingsStore& store) { set(setIndexOf(named)).saveToStore(store); },
        keepUnitArea);
}

void CGeneral::OnAbout() { CAboutDlg(this).doModal(); }

void CGeneral::OnHelp() { CMessageDlg(texts::kNonSetupHelp, this).doModal(); }

void CGeneral::OnEditSet(int index)
{
    set(editIndex_).assign(set(kWorkingSet));
    ReplaceWorkingSet(index);
    editIndex_ = index;
    UpdateTitle();
}

void CGeneral::OnCopyCurrentTo(int index)
{
    CommitWorkingSet();
    set(index).assign(set(kCurrentSet));
    UpdateTitle();
}

}  // namespace velmar::editor
