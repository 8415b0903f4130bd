// The launcher's copy of the 25-input mapping kept in MAME's default.cfg, its
// edits and queries. Key names are stored without "KEYCODE_", pad codes
// without "JOYCODE_" ("<joystick number>_<item>").
#pragma once
#include <array>
#include <string>
#include <vector>

#include "controls/input_actions.h"

// Byte limits of the stored texts (the file fields they came from were fixed
// arrays; keeping the cuts keeps old and new files reading alike).
constexpr size_t kKeyMax = 47;
constexpr size_t kPadMax = 71;
constexpr size_t kExtraMax = 259;

struct ActionBinding {
  std::string key;    // empty = no key
  std::string pad;    // first pad code, empty = none
  std::string extra;  // every other alternative, full prefixes, joined by " OR "
  bool present = false;   // has its own entry in default.cfg
  bool autofire = false;  // only kept for the twelve buttons
};

struct InputMapping {
  std::array<ActionBinding, kActionCount> bindings;
  bool dirty = false;
  bool loaded = false;
  // Set only for the write right before a start that carries the combos
  // plugin: autofire buttons are then written as NONE (the plugin presses
  // them). At rest default.cfg holds their real sequence.
  bool autofire_taken_over = false;
};

// The process-wide mapping (UI thread only).
InputMapping& TheInputMapping();

// Pad codes of an action: pad, then each JOYCODE_ part of extra without its prefix.
std::vector<std::string> PadCodeList(const InputMapping& m, int index);
void SetPadCodeList(InputMapping& m, int index, const std::vector<std::string>& codes);
// The launcher's default pad codes for an action (may consult the pad probe).
std::vector<std::string> DefaultPadCodes(int index);

// Edits: each gives an absent action its launcher defaults first and sets dirty.
void EnsureBinding(InputMapping& m, int index);
void SetBindingKey(InputMapping& m, int index, const std::string& name);
void SetBindingPad(InputMapping& m, int index, const std::string& code);
enum class BindingPart { Key, Pad };
void ClearBinding(InputMapping& m, int index, BindingPart which);
void ResetToLauncherDefaults(InputMapping& m);
void SetAutofire(InputMapping& m, int index, bool on);
bool HasAutofire(const InputMapping& m, int index);

// The sequence alternatives of a binding joined by " OR " (empty when nothing is bound).
std::string RealSequence(const ActionBinding& b);

// Profile text: one "bind=" line per present action (read in any editor's encoding).
std::string SerializeMapping(const InputMapping& m);
void ApplyMappingText(InputMapping& m, const std::string& text);

struct BindingCells {
  std::string keyboard;
  std::string pad;
};
// The two cells of the Controls list for an action (at most 99 characters each).
BindingCells BindingCellTexts(const InputMapping& m, int index);
