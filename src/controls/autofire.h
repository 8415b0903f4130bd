// Autofire: the launcher's own korvo-autofire.cfg (the real sequences of the
// buttons that default.cfg holds as NONE while the combos plugin presses them)
// and the rows the combos plugin gets.
#pragma once
#include <string>
#include <vector>

#include "base/text_buffer.h"
#include "controls/autofire_file.h"
#include "controls/input_mapping.h"
#include "controls/mapping_files.h"

struct AutofireRow {
  int player = 1;       // 1 or 2
  int bit = 4;          // 4-9: the button's bit in the combos plugin's input mask
  std::string trigger;  // MAME sequence text, safe between single quotes in Lua
};

// One row per present button with autofire on and a non-empty sequence.
std::vector<AutofireRow> CollectAutofireRows(const InputMapping& m);

// Appends "{player=%d,bit=%d,trig='...'},\n" per row to `out` and returns the
// count. The process-wide form loads the mapping first when it never was.
int BuildAutofireRows(const InputMapping& m, TextBuffer& out);
int BuildAutofireRows(TextBuffer& out);

// Called right before every start of MAME. A start that carries the combos
// plugin gets its autofire buttons as NONE in default.cfg, so that MAME does
// not see their key or pad directly while the plugin presses them; any other
// start gets default.cfg at rest (RestoreAutofireAtRest).
bool ApplyAutofireTakeover(InputMapping& m, const MappingFiles& files, bool combos_active);
bool ApplyAutofireTakeover(bool combos_active);

// Puts the real sequence back into default.cfg for every autofire button that
// it holds as NONE, so that MAME started without the plugin (a desktop
// shortcut, by hand) has working buttons. Called when MAME has ended (MAME
// saves default.cfg on its way out, NONE included) and at start-up, to repair
// what a launcher killed while MAME ran left behind. It reads both files
// into a mapping of its own, so unsaved edits of the Controls tab stay, and
// writes only when a repair is needed. False when that write failed.
bool RestoreAutofireAtRest(const MappingFiles& files);
bool RestoreAutofireAtRest();
