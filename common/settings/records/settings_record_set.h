#pragma once

// The editor's durable copy of one settings set: the eleven page records. The store holds
// one set at a time; a record set is loaded from it after a decode and saved into it before
// an encode.

#include "records/audio_out_record.h"
#include "records/calibration_record.h"
#include "records/displays_record.h"
#include "records/input_levels_record.h"
#include "records/listener_record.h"
#include "records/setup_presets_record.h"
#include "records/speaker_config_record.h"
#include "records/timers_record.h"
#include "records/triggers_record.h"
#include "records/tuner_record.h"
#include "records/volumes_record.h"
#include "settings_store.h"

namespace velmar {

struct SettingsRecordSet {
    CalibrationRecord calibration;
    TimersRecord timers;
    SpeakerConfigRecord speakerConfig;
    ListenerRecord listener;
    SetupPresetsRecord setupPresets;
    AudioOutRecord audioOut;
    VolumesRecord volumes;
    TriggersRecord triggers;
    InputLevelsRecord inputLevels;
    DisplaysRecord displays;
    TunerRecord tuner;

    void loadFromStore(const SettingsStore& store);
    // Some writers limit a value by another field as the store holds it at that moment, so
    // the records go in a fixed order. May change audioOut (see AudioOutRecord).
    void saveToStore(SettingsStore& store);
    bool equals(const SettingsRecordSet& other) const { return *this == other; }
    void assign(const SettingsRecordSet& other) { *this = other; }
    bool operator==(const SettingsRecordSet&) const = default;
};

}  // namespace velmar
