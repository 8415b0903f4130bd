// What the HLSL Settings and All MAME Options windows show, without the
// windows: their heights, the four texts of each list row and the line under
// the list.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "catalogue/mame_usage.h"
#include "options/hlsl_options.h"
#include "options/mame_options.h"

inline constexpr const char* kHlslWindowTitle = "HLSL Settings";
inline constexpr const char* kHlslPromptTitle = "HLSL Option";
inline constexpr const char* kHlslNote =
    "Double-click a row to change its value. Only values that differ from MAME's defaults are passed, when HLSL is "
    "on.";
constexpr int kHlslPromptBufferSize = 120;

inline constexpr const char* kMameOptionsWindowTitle = "All MAME Options";
inline constexpr const char* kMameOptionsBoxTitle = "MAME Options";
inline constexpr const char* kMameOptionPromptTitle = "MAME Option";
inline constexpr const char* kMameOptionsHint =
    "Double-click an option to change its value. Only values that differ from MAME's defaults are passed to MAME.";
constexpr int kMameOptionPromptBufferSize = 400;
constexpr int kMameOptionsSearchLength = 99;

// Window heights in 96-dpi units from the work area's height in the same
// units: the work area less 90, kept within the window's limits.
int HlslWindowHeight(int work_area_height);
int MameOptionsWindowHeight(int work_area_height);

struct OptionRowTexts {
  std::string group, option, value, default_value;
};
// Group, label, value and default of an HLSL row ("On"/"Off" for on/off rows).
OptionRowTexts HlslRowTexts(size_t row, const HlslValues& values);
// Group, name, value and default of a MAME option row ("(none)" when empty).
OptionRowTexts MameOptionRowTexts(size_t row, const MameOptionValues& values);
// Rows of options that the installed MAME does not list are shown greyed;
// their values are kept but not passed. One flag per table row, all false
// when MAME was not asked.
std::vector<bool> HlslRowsNotInMame(const MameUsage& usage);
std::vector<bool> MameOptionRowsNotInMame(const MameUsage& usage);
inline constexpr const char* kNotInThisMameText =
    "Not available in this MAME, so it is not passed (the value is kept).";

// The line under the list for a selected row: "-name:  description", with
// the reason first for an option this MAME does not have.
std::string MameOptionDescriptionLine(size_t row, bool not_in_mame = false);
// The note under the HLSL list: the usual note, or for a selected option this
// MAME does not have "-name:  " and the reason.
std::string HlslNoteLine(size_t row, bool not_in_mame);
