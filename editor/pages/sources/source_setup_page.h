#pragma once

#include <QString>
#include <functional>
#include <string>

#include "pages/bound_value_pair.h"
#include "pages/bound_value_group.h"
#include "settings/model_kind.h"
#include "settings/records/setup_presets_record.h"
#include "pages/sources/source_kinds.h"
#include "ui/property_page.h"

namespace velmar::editor {

enum SetupControlId : int {
    kIdSourceName = 1137,
    kIdAudioIn = 1138,
    kIdDigitalIn = 1070,
    kIdMutingMin = 1155,
    kIdMutingMed = 1156,
    kIdMutingMax = 1157,
    kIdEqLowSlider = 1139,
    kIdEqHighSlider = 1040,
    kIdEqLowEdit = 108,
    kIdEqHighEdit = 109,
    kIdAmEqLowSlider = 1140,
    kIdAmEqHighSlider = 1042,
    kIdAmEqLowEdit = 110,
    kIdAmEqHighEdit = 111,
    kIdSpeakerConfigList = 1072,
    kIdCompositeVideo = 1073,
    kIdSVideo = 1074,
    kIdComponentVideo = 1071,
    kIdLipSyncSlider = 1041,
    kIdLipSyncEdit = 107,
    // Labels the visibility rules show and hide.
    kIdAudioInLabel = 2001,
    kIdMutingLabel,
    kIdEqLabel,
    kIdFmEqLabel,
    kIdAmEqLabel,
    kIdEqLfLabel,
    kIdEqHfLabel,
    kIdEqDbLabel,
    kIdAmLfLabel,
    kIdAmHfLabel,
    kIdAmDbLabel,
    kIdSpeakerConfigLabel,
    kIdLipSyncLabel,
    kIdLipSyncUnit,
};

// "Setup" of the per-source sub-sheet: name, audio input, equaliser, video inputs, speaker
// configuration and lip-sync delay of one source entry, edited in place. The source's kind
// and the unit's model decide what is offered.
class CSourceSetupPresetsSetupPage : public ui::PropertyPage {
public:
    CSourceSetupPresetsSetupPage();

    void SetEntry(SourceEntry* entry, SetupKind kind, ModelKind model);
    // Told the stored name whenever a new one is committed.
    void SetRenamed(std::function<void(const std::string&)> renamed) { renamed_ = std::move(renamed); }

    void onInitDialog() override;

protected:
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    bool isTuner() const { return kind_ == SetupKind::Tuner; }
    void setUpPairs();
    void showForAudioIn();
    void takeName();

    SourceEntry* entry_ = nullptr;
    SetupKind kind_ = SetupKind::DigitalCapable;
    ModelKind model_ = ModelKind::Undetected;
    std::function<void(const std::string&)> renamed_;
    QString name_;
    CBoundValueDlg eqLow_, eqHigh_, amEqLow_, amEqHigh_, lipSync_;
    BoundValueGroup pairs_;
};

}  // namespace velmar::editor
