// What the HLSL Settings and All MAME Options windows show, without the
// windows: their heights, the four texts of each list row and the line under
// the list.
#pragma once
#include <cstddef>
#include <string>

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
// The line under the list for a selected row: "-name:  description".
std::string MameOptionDescriptionLine(size_t row);
