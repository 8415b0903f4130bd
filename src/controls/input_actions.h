// The 25 game inputs whose mapping the launcher edits in MAME's default.cfg,
// in their fixed order: the index is used everywhere (bits, players, kinds).
#pragma once
#include <string_view>

constexpr int kActionCount = 25;

enum class ActionKind { Direction, Button, Other };

struct InputAction {
  const char* port;         // MAME port type
  const char* label;        // shown in the Controls list and the capture dialogs
  const char* default_key;  // MAME key name without "KEYCODE_"
  ActionKind kind;
  const char* earlier_key;  // stock key of older launcher versions ("" = none)
};

const InputAction& ActionAt(int index);
// Index of the action with this port name, or -1.
int FindActionByPort(std::string_view port);

bool IsDirection(int index);
// The twelve player buttons (4-9 and 14-19) are the only ones with autofire.
bool IsAutofireButton(int index);
int PlayerOfAction(int index);
// 1-6 for a button.
int ButtonNumberOf(int index);
