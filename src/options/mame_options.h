// The stored `more_options` text behind the All MAME Options window and the
// option fields of the other pages: MAME arguments for every table value that
// differs from MAME's default, in table order.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "options/mame_option_table.h"

// The longest stored text, in UTF-16 units (the settings field holds 2048 with its end).
constexpr size_t kMoreOptionsMaxUnits = 2047;

inline constexpr const char* kMameOptionInvalidMessage = "This value is not valid for the option.";
inline constexpr const char* kMameOptionsTooLongMessage =
    "Too many changed options for the settings file. Reset some of them.";
inline constexpr const char* kMameOptionsResetQuestion = "Give all the options of this window their MAME defaults?";

struct MameOptionValues {
  std::vector<std::string> values;  // one per row of MameOptionTable()
  // Arguments of the stored text that no row took (options this table does
  // not know, and their values), in their order. They are written back after
  // the table's own, so that a hand-made option survives every save.
  std::vector<std::string> kept;
};

MameOptionValues DefaultMameOptionValues();

// Splits the stored text with the command-line rules: "-name" sets an on/off
// row to 1, "-noname" to 0; "-name value" sets any other row (a name at the
// very end with no value is dropped). Later occurrences win, as in MAME.
MameOptionValues ParseMoreOptions(std::string_view stored);

// The stored text: "-name"/"-noname" for changed on/off rows, "-name value"
// for other changed rows with a value (quoted when it holds a blank, tab or
// quote), then the kept arguments. Single spaces between arguments.
std::string BuildMoreOptions(const MameOptionValues& values);
bool MoreOptionsFit(std::string_view stored);

// The test a typed value (already trimmed, non-empty) must pass for its row.
bool IsValidMameOptionValue(const MameOption& option, std::string_view value);

// An on/off row toggles at once: "0" when it is exactly "1", else "1".
void ToggleMameOptionValue(MameOptionValues& values, size_t row);
// A typed text: trimmed; empty gives the default; otherwise tested and stored
// when valid. False (invalid) leaves the value.
bool EditMameOptionValue(MameOptionValues& values, size_t row, std::string_view typed);

// "1"/"0" for an on/off option, the value otherwise (the default when the
// stored text does not set it); empty for a name that is not in the table.
std::string GetMameOption(std::string_view stored, std::string_view name);
// Changes one option inside the stored text. An on/off option becomes "1"
// for exactly "1" and "0" otherwise; other values are trimmed, empty means the
// default, and an invalid one is dropped. The text is rebuilt only when the
// value changes and the result fits; true when `stored` was changed.
bool SetMameOption(std::string& stored, std::string_view name, std::string_view value);

// Rows whose "name description group", lower-cased, contain the lower-cased
// search text (at most 99 characters of it); every row for an empty text.
std::vector<size_t> FilterMameOptions(std::string_view search);

// The value prompt: "-name (min to max; empty = MAME's default):" with "..."
// for a missing limit, or "-name (empty = MAME's default):" without limits.
std::string MameOptionPromptText(const MameOption& option);
// How the list shows a value: "On"/"Off" for on/off rows, "(none)" when empty.
std::string MameOptionShownValue(const MameOption& option, std::string_view value);
