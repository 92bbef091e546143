#include "app/settings_editor_sheet.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "app/about_dialog.h"
#include "app/app_icon.h"
#include "app/message_dialog.h"
#include "app/report_texts.h"
#include "app/settings_report.h"
#include "settings/image_codec.h"
#include "app/texts.h"
#include "ui/busy.h"
#include "ui/file_dialog.h"

namespace velmar::editor {

CSettingsEditorSheet::CSettingsEditorSheet(SettingsStore& store, platform::SerialPort& port, platform::Clock& clock,
                                           QWidget* parent, int startPage, const std::vector<PageEntry>& pages)
    : ui::PropertySheet(texts::kSheetCaption, parent, startPage), context_{store},
      general_(new CGeneral(store, port, clock))
{
    setWindowIcon(appIcon());
    entries_.push_back({0, kGeneralPageName, nullptr});
    entries_.insert(entries_.end(), pages.begin(), pages.end());
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const PageEntry& a, const PageEntry& b) { return a.place < b.place; });
    for (const PageEntry& entry : entries_)
        if (entry.make)
            settingsPages_.push_back(entry.make(context_));
    addPage(general_);
    for (CSettingsPage* page : settingsPages_)
        addPage(page);
    BindPageLinks();
    for (SettingsRecordSet& set : sets_)
        general_->RegisterSet(&set);
    // The store starts out holding the factory settings.
    prepareStore(store, true);
    prepareStore(store, false);
    addWindowMenu();
}

void CSettingsEditorSheet::addWindowMenu()
{
    auto* bar = new QMenuBar(this);
    addFileMenu(*bar);
    QMenu* menu = bar->addMenu(texts::kWindowMenu);
    menu->addAction(texts::kCloseMenuItem, this, [this] { pressCancel(); });
    menu->addSeparator();
    menu->addAction(texts::kAboutMenuItem, this, [this] { OnSysCommand(kIdmAboutBox); });
    topLayout().setMenuBar(bar);
}

void CSettingsEditorSheet::addFileMenu(QMenuBar& bar)
{
    // The texts name the keys; preTranslateKey handles them, as it handles Ctrl+O, Ctrl+L and
    // Ctrl+S.
    QMenu* menu = bar.addMenu(texts::kFileMenu);
    const std::pair<const char*, FileCommand> items[] = {
        {texts::kOpenMenuItem, FileCommand::Open},
        {texts::kSaveAsMenuItem, FileCommand::SaveAs},
        {texts::kCompareMenuItem, FileCommand::CompareWithFile},
        {texts::kExportMenuItem, FileCommand::ExportReport},
        {texts::kQuitMenuItem, FileCommand::Quit},
    };
    for (const auto& [text, command] : items) {
        if (command == FileCommand::CompareWithFile || command == FileCommand::Quit)
            menu->addSeparator();
        menu->addAction(text, this, [this, command = command] { OnFileCommand(command); });
    }
}

void CSettingsEditorSheet::OnFileCommand(FileCommand command)
{
    if (command == FileCommand::Quit) {
        pressCancel();
        return;
    }
    if (!setActivePage(0))
        return;
    switch (command) {
    case FileCommand::Open: general_->notify(kIdOpenFile, ui::Notify::Clicked); break;
    case FileCommand::SaveAs: general_->notify(kIdSaveAs, ui::Notify::Clicked); break;
    case FileCommand::CompareWithFile: {
        const ui::FileDialogRequest request{true, texts::kSettingsFileExt, {}, texts::kSettingsFileFilter};
        if (const auto other = ui::promptForFile(this, request))
            ExportReport(*other);
        break;
    }
    case FileCommand::ExportReport: ExportReport({}); break;
    case FileCommand::Quit: break;
    }
}

void CSettingsEditorSheet::ExportReport(const QString& compareWith)
{
    const QString name = compareWith.isEmpty() ? texts::kReportName : texts::kComparisonName;
    const auto output = ui::promptForFile(this, {false, texts::kReportExt, name, texts::kReportFilter});
    if (!output)
        return;
    QString message;
    const ReportRequest request{*output, compareWith};
    bool written = false;
    {
        // The pages are read here, on the window's thread, which makes their widgets.
        const ui::WaitCursor waiting;
        written = writeSettingsReport(request, editorReportSource(*this), store(), message);
    }
    CMessageDlg(written ? QString(texts::kReportSaved) : message, this).doModal();
}

void CSettingsEditorSheet::OnSysCommand(int id)
{
    if ((id & 0xFFF0) == kIdmAboutBox)
        CAboutDlg(this).doModal();
}

int CSettingsEditorSheet::indexOfPlace(int place) const
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].place == place)
            return static_cast<int>(i);
    return -1;
}

void CSettingsEditorSheet::BindPageLinks()
{
    for (CSettingsPage* page : settingsPages_)
        page->BindRecords(sets_[kWorkingSet]);
}

int CSettingsEditorSheet::doModal()
{
    BindPageLinks();
    return ui::PropertySheet::doModal();
}

bool CSettingsEditorSheet::preTranslateKey(QKeyEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const std::map<std::pair<int, bool>, FileCommand> fileKeys{
        {{Qt::Key_S, true}, FileCommand::SaveAs},
        {{Qt::Key_E, false}, FileCommand::ExportReport},
        {{Qt::Key_Q, false}, FileCommand::Quit},
    };
    if (const auto key = fileKeys.find({event->key(), shift}); key != fileKeys.end()) {
        OnFileCommand(key->second);
        return true;
    }
    const std::map<int, std::function<void()>> shortcuts{
        {Qt::Key_L,
         [this] {
             general_->SetSkipFileDialog();
             general_->OnOpenFile();
         }},
        {Qt::Key_O, [this] { general_->OnOpenFile(); }},
        {Qt::Key_S,
         [this] {
             if (general_->SaveFileQuietly())
                 CMessageDlg(texts::kFileSaved, this).doModal();
         }},
    };
    const auto it = shortcuts.find(event->key());
    if (it == shortcuts.end())
        return false;
    // A page that refuses to be left keeps its controls: nothing may then be loaded over
    // them or saved from the set they have not reached.
    if (setActivePage(0))
        it->second();
    return true;
}

}  // namespace velmar::editor
