// The MAME options of the All MAME Options window, with MAME's defaults and
// descriptions. Limits are texts so that the prompt shows them as written.
#pragma once
#include <span>
#include <string_view>

enum class MameOptionKind { Path, Text, OnOff, WholeNumber, Number };

struct MameOption {
  const char* group;
  const char* name;  // without the hyphen
  MameOptionKind kind;
  const char* default_value;  // "" is the empty text
  const char* min;            // "" is no limit
  const char* max;
  const char* description;
};

std::span<const MameOption> MameOptionTable();
// Row of an option name (exact, as MAME spells it), or -1.
int FindMameOption(std::string_view name);
