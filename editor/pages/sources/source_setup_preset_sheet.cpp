#include "pages/sources/source_setup_preset_sheet.h"

#include "pages/sources/source_kinds.h"
#include "pages/sources/source_preset_page.h"
#include "pages/sources/source_setup_page.h"
#include "pages/sources/source_texts.h"

namespace velmar::editor {

QString sourceSheetTitle(const std::string& name)
{
    return QString(texts::kSourceSheetTitle) + QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

CSourceSetupPresetSheet::CSourceSetupPresetSheet(SourceEntry& entry, int source, ModelKind model, QWidget* parent)
    : ui::PropertySheet(sourceSheetTitle(entry.name), parent), setup_(new CSourceSetupPresetsSetupPage),
      presets_(new CSourceSetupPresetsPresetPage)
{
    setup_->SetEntry(&entry, setupKindOf(source), model);
    setup_->SetRenamed([this](const std::string& name) { setWindowTitle(sourceSheetTitle(name)); });
    presets_->SetPresets(&entry.presets);
    presets_->AddKind(presetKindOf(source));
    addPage(setup_);
    addPage(presets_);
}

}  // namespace velmar::editor
