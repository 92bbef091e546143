#pragma once

#include <array>

// Texts of the speaker pages ("2. Speaker Config", "3. Listener Position", "4. Speaker
// Calibration") and of the speaker dialogs, copied exactly, once.
namespace velmar::editor::texts {

// Lists
inline constexpr std::array<const char*, 3> kSpeakerSizes = {"None", "Small", "Large"};
inline constexpr std::array<const char*, 2> kFrontSizes = {"Small", "Large"};
inline constexpr std::array<const char*, 5> kSubwooferBasic = {"None", "1 Sub", "2 Sub", "1 Super", "2 Super"};
inline constexpr std::array<const char*, 2> kSubwooferAdvanced = {"1 Sub", "2 Sub"};
inline constexpr std::array<const char*, 5> kTvSizes = {"18-30 in", "30-42 in", "42-54 in", "54-56 in", "66-78 in"};
inline constexpr std::array<const char*, 4> kRearTypes = {"1 Direct", "2 Direct", "1 Dipole", "2 Dipole"};
inline constexpr std::array<const char*, 2> kSurroundTypes = {"Direct", "Dipole"};
inline constexpr std::array<const char*, 2> kPolarity = {"Normal", "Inverted"};

// "2. Speaker Config"
inline constexpr const char* kSpeakerConfigCaption = "2. Speaker Config";
inline constexpr const char* kCenterEq = "Center Eq:   ";
inline constexpr const char* kTvSizeForEq = "TV Size for Eq:";
inline constexpr const char* kRearQtyType = "Rear Qty/Type:";
inline constexpr const char* kSurroundType = "Surround Type:";
inline constexpr const char* kCinemaSpeakerConfig = "Cinema Speaker Config";
inline constexpr const char* kMusicSpeakerConfig = "Music Speaker Config";
inline constexpr const char* kRoomResonanceFilter = "Room Resonance Filter";
inline constexpr const char* kSetBassPeakLevel = "Set Bass Peak Level";

// Cinema and Music Speaker Config dialogs
inline constexpr const char* kCinemaCaption = "Cinema Speaker Config";
inline constexpr const char* kMusicCaption = "Music Speaker Config:";
inline constexpr const char* kCenter = "Center:";
inline constexpr const char* kFronts = "L/R Fronts:";
inline constexpr const char* kRears71 = "7.1 L/R Rears:";
inline constexpr const char* kSurrounds = "L/R Surrounds:";
inline constexpr const char* kSubwoofer = "Subwoofer:";
inline constexpr const char* kXOverFreq = "X-Over Freq:";
inline constexpr const char* kUseAdvanced = "Use Advanced Settings:";
inline constexpr const char* kBypassLfe = "Bypass LFE XOver:";
inline constexpr const char* kSubPhase = "Sub'fr Phase:";
inline constexpr const char* kSubPolarity = "Sub'fr Polarity:";
inline constexpr const char* kSameAsCinema = "Same As Cinema Config:";
inline constexpr const char* kAdvancedMark = "ADVANCED";
inline constexpr const char* kOff = "Off";
inline constexpr const char* kHz = "Hz";
inline constexpr const char* kDeg = "Deg";
inline constexpr const char* kDb = "dB";

// Room resonance filter dialog
inline constexpr const char* kRoomCaption = "Room resonance fliter";
inline constexpr const char* kTestToneLevel = "Test Tone Level:";
inline constexpr const char* kTestToneFreq = "Test Tone Freq:";
inline constexpr const char* kApplyFilter = "Apply Filter:";
inline constexpr const char* kFilterCenterFreq = "Filter Center Freq:";
inline constexpr const char* kFilterDepth = "Filter Depth:";
inline constexpr const char* kFilterWidth = "Filter Width:";
inline constexpr const char* kThxUltra2Sub = "THX Ultra2 Sub:";
inline constexpr const char* kThxBgCompensation = "THX BG Compensation:";
inline constexpr const char* kNotApplicable = "N/A";

// Bass Peak Level dialog
inline constexpr const char* kBassPeakCaption = "Bass Peak Level";
inline constexpr const char* kCurrentLevel = "Current Level:";
inline constexpr const char* kNaWithThx = "NA with THX Ultra2 sub";

// "3. Listener Position"
inline constexpr const char* kListenerCaption = "3. Listener Position";
inline constexpr const char* kUnitsOfMeasure = "Units of Measure:";
inline constexpr const char* kFeet = "feet";
inline constexpr const char* kMetres = "metres";
inline constexpr const char* kRearToRear = "L-RearTo R-Rear:";
inline constexpr const char* kPreset = "Preset";
inline constexpr const char* kFeetUnit = "ft";
inline constexpr const char* kMetresUnit = "m";
inline constexpr std::array<const char*, 3> kRearSpacingFeet = {"4+ ft", "1-4 ft", "0-1 ft"};
inline constexpr std::array<const char*, 3> kRearSpacingMetres = {"1.2+ m", ".3-1.2 m", "0-.3 m"};

// "4. Speaker Calibration"
inline constexpr const char* kCalibrationCaption = "4. Speaker Calibration";

// Channel labels shared by the listener and calibration pages
inline constexpr const char* kLeftFront = "Left Front:";
inline constexpr const char* kCenterChannel = "Center:";
inline constexpr const char* kRightFront = "Right Front:";
inline constexpr const char* kLeftSurround = "Left Surround:";
inline constexpr const char* kRightSurround = "Right Surround:";
inline constexpr const char* kLeftRear = "7.1-Left Rear:";
inline constexpr const char* kRightRear = "7.1-Right Rear:";
inline constexpr const char* kSubwooferChannel = "Subwoofer:";
inline constexpr const char* kMusicConfigSub = "Music Config Sub:";
inline constexpr const char* kCinemaConfigSub = "Cinema Config Sub:";
inline constexpr const char* kNoiseReferenceLevel = "Noise Reference Level:";

}  // namespace velmar::editor::texts
