// The Direct3D HLSL parameters the HLSL Settings window offers, with MAME's
// defaults, and the presets of that window.
#pragma once
#include <span>
#include <string_view>

enum class HlslKind { Number, WholeNumber, List, OnOff, FileName };

struct HlslOption {
  const char* group;
  const char* label;
  const char* name;           // MAME's option, without the hyphen
  const char* default_value;  // as MAME prints it; compared as text
  HlslKind kind;
  double min, max;            // inclusive; used for Number, WholeNumber and OnOff
};

struct HlslPreset {
  const char* label;
  const char* options;  // parsed like a stored hlsl_options text
};

std::span<const HlslOption> HlslOptionTable();
std::span<const HlslPreset> HlslPresets();
// Row of an option name (exact, as MAME spells it), or -1.
int FindHlslOption(std::string_view name);
