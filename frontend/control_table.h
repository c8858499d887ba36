#pragma once

// The main window's 24 controls, written once as data: the window creates them
// from this table, and the tests check the real window against it.

#include "control_design.h"

#include <array>
#include <string_view>

namespace boxloom::frontend {

namespace ids {
inline constexpr int kTeamNotationLabel = 1000;
inline constexpr int kOutputsLabel = 1001;
inline constexpr int kSuffixLabel = 1002;
inline constexpr int kHittingSplits = 1003;
inline constexpr int kSuffixTxt = 1004;
inline constexpr int kSuffixCsv = 1005;
inline constexpr int kCityName = 1006;
inline constexpr int kNickname = 1007;
inline constexpr int kAbbreviation = 1008;
inline constexpr int kCityAndNickname = 1009;
inline constexpr int kPitchingSplits = 1010;
inline constexpr int kStatusBox = 1011;
inline constexpr int kZelFolderBox = 1012;
inline constexpr int kSeasonFolderBox = 1013;
inline constexpr int kProcessSeason = 1014;
inline constexpr int kFielding = 1015;
inline constexpr int kIncludePitcherHitting = 1016;
inline constexpr int kGroupPitcherHitting = 1017;
inline constexpr int kIgnorePitcherHitting = 1018;
inline constexpr int kExitProgram = 1019;
inline constexpr int kChangeSeasonFolder = 1020;
inline constexpr int kChangeZelFolder = 1021;
inline constexpr int kSeasonFolderLabel = 1022;
inline constexpr int kZelFolderLabel = 1023;
} // namespace ids

inline constexpr std::string_view kWindowClassName = "FORM_BOXLOOM_FORM1_CLASS";
inline constexpr std::string_view kWindowCaption = "Boxloom (2/25/2012)";
inline constexpr int kWindowWidth = 640;
inline constexpr int kWindowHeight = 462;
inline constexpr std::string_view kFontFace = "MS Sans Serif";
inline constexpr int kFontWeight = 700;

using K = ControlKind;

// In creation order. Tab follows reading order instead (readingOrder, layout.h).
inline constexpr std::array<ControlDesign, 24> kControls = {{
    {ids::kTeamNotationLabel, K::Label, "Team notation preference", {208, 80, 218, 21}, 16},
    {ids::kOutputsLabel, K::Label, "Include the following outputs", {192, 160, 259, 20}, 16},
    {ids::kSuffixLabel, K::Label, "Output file suffix", {224, 304, 138, 27}, 16},
    {ids::kHittingSplits, K::CheckBox, "Include Hitting Splits", {352, 256, 247, 38}, 11},
    {ids::kSuffixTxt, K::OptionButton, "Output File Suffix of .TXT", {64, 336, 207, 23}, 11, false, true},
    {ids::kSuffixCsv, K::OptionButton, "Output File Suffix of .CSV", {344, 336, 207, 23}, 11, true},
    {ids::kCityName, K::OptionButton, "City Name", {16, 112, 81, 33}, 11, false, true},
    {ids::kNickname, K::OptionButton, "NickName", {168, 112, 81, 33}, 11},
    {ids::kAbbreviation, K::OptionButton, "Abbreviation", {304, 112, 92, 38}, 11},
    {ids::kCityAndNickname, K::OptionButton, "City and Nickname", {456, 112, 149, 38}, 11, true},
    {ids::kPitchingSplits, K::CheckBox, "Include Pitching Splits", {352, 224, 247, 38}, 11},
    {ids::kStatusBox, K::EditBox, "", {192, 376, 206, 31}, 11},
    {ids::kZelFolderBox, K::EditBox, "", {176, 8, 252, 28}, 11},
    {ids::kSeasonFolderBox, K::EditBox, "", {176, 42, 252, 32}, 11},
    {ids::kProcessSeason, K::PushButton, "Process Season Stats", {16, 376, 163, 31}, 11},
    {ids::kFielding, K::CheckBox, "Include Fielding stats", {352, 184, 236, 42}, 11},
    {ids::kIncludePitcherHitting, K::CheckBox, "Include Pitcher Hitting stats", {8, 256, 317, 38}, 11, true},
    {ids::kGroupPitcherHitting, K::CheckBox, "Group Pitcher Hitting stats by team", {8, 224, 310, 33}, 11},
    {ids::kIgnorePitcherHitting, K::CheckBox, "Ignore Pitcher Hitting stats", {8, 192, 306, 34}, 11},
    {ids::kExitProgram, K::PushButton, "Exit Program", {408, 376, 167, 31}, 11},
    {ids::kChangeSeasonFolder, K::PushButton, "Change Season Folder", {440, 41, 176, 33}, 11},
    {ids::kChangeZelFolder, K::PushButton, "Change ZEL Folder", {440, 8, 176, 32}, 11},
    {ids::kSeasonFolderLabel, K::Label, "ZEL Season Folder", {8, 48, 166, 25}, 13},
    {ids::kZelFolderLabel, K::Label, "ZEL Folder", {8, 8, 164, 25}, 13},
}};

inline constexpr int kInitialFocus = ids::kHittingSplits;
// Enter presses it from anywhere in the window.
inline constexpr int kDefaultButton = ids::kProcessSeason;
// Shows the run's status; the user cannot type into it.
inline constexpr int kReadOnlyBox = ids::kStatusBox;

// The control of an id, or null.
const ControlDesign* findControl(int id);

} // namespace boxloom::frontend
