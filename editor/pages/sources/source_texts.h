#pragma once

// The texts of the per-source pages ("5. Setup/Presets" with its sub-sheet, "6. Adjust Input
// Levels", "7. A-D/Audio-Out Format"), copied exactly, once.
namespace velmar::editor::texts {

// "5. Setup/Presets"
inline constexpr const char* kSetupPresetsCaption = "5. Setup/Presets";
inline constexpr const char* kCopyMainGroup = "Copy Main";
inline constexpr const char* kCopyToZone2 = "-> Zone 2";
inline constexpr const char* kCopyToZone3 = "-> Zone 3";
inline constexpr const char* kCopyToRec = "-> Rec";
inline constexpr const char* kManual = "Manual";
inline constexpr const char* kAutomatic = "Automatic";

// The sub-sheet: title prefix + the source's name
inline constexpr const char* kSourceSheetTitle = "5. Source Setup/Preset for ";
inline constexpr const char* kSetupTab = "Setup";
inline constexpr const char* kPresetsTab = "Presets";

// Its Setup page
inline constexpr const char* kRename = "Rename:";
inline constexpr const char* kAudioIn = "Audio In:";
inline constexpr const char* kDigitalInputs[] = {"XLR",      "TOS1",   "TOS2",    "TOS3",    "RCA DVD", "RCA CD",
                                                 "RCA TAPE", "RCA TV", "RCA SAT", "RCA VCR", "RCA AUX"};
inline constexpr const char* kMuting = "Muting:";
inline constexpr const char* kMutingLevels[] = {"Min", "Med", "Max"};
inline constexpr const char* kEq = "EQ:";
inline constexpr const char* kFmEq = "FM EQ:";
inline constexpr const char* kAmEq = "AM EQ:";
inline constexpr const char* kLf = "LF:";
inline constexpr const char* kHf = "HF:";
inline constexpr const char* kDb = "dB";
inline constexpr const char* kSpeakerConfig = "Speaker Config:";
inline constexpr const char* kSpeakerConfigs[] = {"Music", "Cinema", "Auto-LFE"};
inline constexpr const char* kCompositeVideo = "Composite Video:";
inline constexpr const char* kSVideo = "S-Video:";
inline constexpr const char* kVideoInputs[] = {"CD", "TAPE", "DVD", "TV", "SAT", "VCR", "AUX", "None"};
inline constexpr const char* kComponentVideo = "Component Video:";
inline constexpr const char* kLipSyncDelay = "Lip-Sync Delay:";
inline constexpr const char* kMs = "ms";

// Its Presets page
inline constexpr const char* kPresetLabels[] = {"2-ch:", "DD-2.0:", "DD-5.1:", "DD-EX:", "DTS-5.1:", "DTS-ES:"};
inline constexpr const char* kSixChPreset = "6-ch:";
inline constexpr const char* kPresetsNote =
    "No mode presets are applicable for channels with analog-direct input\n"
    "Only 2 channel preset is applicable for channels with analog-DSP input\n";
inline constexpr const char* kPresetsSpeakerNote =
    "These mode presets can be set regardless of your speaker configuration, however if you do not have "
    "rear/surround speakers some of these presets will not be applicable";

// "6. Adjust Input Levels"
inline constexpr const char* kInputLevelsCaption = "6. Adjust Input Levels";
inline constexpr const char* kInputLevelsNote = "Adjustment only applies when Audio-In is set to Analog";

// "7. A-D/Audio-Out Format"
inline constexpr const char* kAudioOutCaption = "7. A-D/Audio-Out Format";
inline constexpr const char* kAudioOutNote = "Note: Only applies to sources set to Digital.";
inline constexpr const char* kReverseSurRear = "6-ch Reverse Sur/Rear:";
inline constexpr const char* kCopySurToRear = "Copy Sur To Rear:";
inline constexpr const char* kNotApplicable = "NA";
inline constexpr const char* kFs6ch = "6-ch Anlg-DSP fs:";
inline constexpr const char* kFs2ch = "2-ch Anlg-DSP fs:";
inline constexpr const char* kSampleRates[] = {"44.1 kHz", "48.0 kHz", "88.2 kHz", "96.0 kHz"};
inline constexpr const char* kDigital2 = "Digital 2:";
inline constexpr const char* kDigital2Sources[] = {"Digital 1",    "DVD - Digital", "CD - Digital", "TAPE -Digital",
                                                   "TV - Digital", "SAT - Digital", "VCR -Digital", "AUX -Digital"};
inline constexpr const char* kDig1WhenCopied = "Dig1 When Main copied to Rec:";
inline constexpr const char* k16Bit = "16 bit";
inline constexpr const char* k24Bit = "24 bit";
inline constexpr const char* kBalOut = "Bal Out:";
inline constexpr const char* kCtr2Sub2 = "Ctr2/Sub2";
inline constexpr const char* kZone2LR = "Zone2 L/R";

}  // namespace velmar::editor::texts
