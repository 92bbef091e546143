#include "settings_editor_sheet.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>
#include <map>

#include "about_dlg.h"
#include "app_icon.h"
#include "message_dlg.h"
#include "settings/image_codec.h"
#include "texts.h"

namespace velmar::editor {

CSettingsEditorSheet::CSettingsEditorSheet(SettingsStore& store, platform::SerialPort& port, platform::Clock& clock,
                                           QWidget* parent, int startPage)
    : ui::PropertySheet(texts::kSheetCaption, parent, startPage),
      general_(new CGeneral(store, port, clock))
{
    setWindowIcon(appIcon());
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
    QMenu* menu = bar->addMenu(texts::kWindowMenu);
    menu->addAction(texts::kCloseMenuItem, this, [this] { pressCancel(); });
    menu->addSeparator();
    menu->addAction(texts::kAboutMenuItem, this, [this] { OnSysCommand(kIdmAboutBox); });
    topLayout().setMenuBar(bar);
}

void CSettingsEditorSheet::OnSysCommand(int id)
{
    if ((id & 0xFFF0) == kIdmAboutBox)
        CAboutDlg(this).doModal();
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
    const std::map<int, std::function<void()>> shortcuts{
        {Qt::Key_L, [this] {
             general_->SetSkipFileDialog();
             general_->OnOpenFile();
         }},
        {Qt::Key_O, [this] { general_->OnOpenFile(); }},
        {Qt::Key_S, [this] {
             if (general_->SaveFileQuietly())
                 CMessageDlg(texts::kFileSaved, this).doModal();
         }},
    };
    const auto it = shortcuts.find(event->key());
    if (it == shortcuts.end())
        return false;
    setActivePage(0);
    it->second();
    return true;
}

}  // namespace velmar::editor
