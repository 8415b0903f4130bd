// The HLSL Settings window's working values and the stored `hlsl_options`
// text: only the values that differ from MAME's defaults are kept, as
// "-name value" pairs in table order.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "options/hlsl_table.h"

// One value text per row of HlslOptionTable().
using HlslValues = std::vector<std::string>;

// The longest stored text, in UTF-16 units (the settings field holds 1024 with its end).
constexpr size_t kHlslOptionsMaxUnits = 1023;

inline constexpr const char* kHlslInvalidValueMessage = "This value is not valid for the option.";
inline constexpr const char* kHlslTooLongMessage =
    "Too many changed options for the settings file: reset some of them to their defaults.";

HlslValues DefaultHlslValues();

// Every value to its default, then each "-name value" pair of the text that
// names a row sets it; other words are passed over. Values are taken as they
// are: a text edited by hand goes to MAME unchanged anyway.
HlslValues ParseHlslOptions(std::string_view text);

// "-name value" for every row whose text differs from the default text, in
// table order, separated by single spaces.
std::string BuildHlslOptions(const HlslValues& values);
bool HlslOptionsFit(std::string_view stored);

// The test a typed value (already trimmed) must pass for its row.
bool IsValidHlslValue(const HlslOption& option, std::string_view value);

// An on/off row toggles at once: "0" when it is exactly "1", else "1".
void ToggleHlslValue(HlslValues& values, size_t row);
// A typed text: trimmed, tested, and stored when valid. False leaves the value.
bool EditHlslValue(HlslValues& values, size_t row, std::string_view typed);

// The prompt of the value box: "<label> (numbers separated by commas):" for a
// list, "<label> (<min> to <max>):" otherwise.
std::string HlslPromptText(const HlslOption& option);
// How the list shows a value: on/off rows read "On" for "1" and "Off" otherwise.
std::string HlslShownValue(const HlslOption& option, std::string_view value);
