// Reading and editing the 25 launcher ports inside the text of MAME's
// default.cfg. MAME's XML is handled as bytes: only the launcher's port
// elements are taken out and put back, everything else stays as it was.
#pragma once
#include <string>

#include "controls/input_mapping.h"

// Fills the bindings from default.cfg's text (every action absent first).
void ReadDefaultCfgText(InputMapping& m, const std::string& text);

enum class CfgEdit {
  Write,        // `text` holds the new file
  NothingKept,  // nothing to write and nothing written: the mapping stays dirty
  NothingDone,  // nothing needed writing: the mapping counts as written
  Broken,       // the file's structure does not allow a safe insertion
};
// Replaces the launcher's port elements in `text` with the present bindings.
CfgEdit EditDefaultCfgText(const InputMapping& m, std::string& text);

// The sequence written for a binding: NONE for a taken-over autofire button,
// else its alternatives (NONE when there are none).
std::string SequenceToWrite(const InputMapping& m, int index);
