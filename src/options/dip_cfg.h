// The DIP switch settings MAME keeps in a game's own cfg file: reading the
// current ones and writing the user's choices back as text, leaving every
// other byte of the file alone.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "options/machine_info.h"

// ":DSW" and "DSW" name the same port; the written form has the colon.
std::string PortTagWithColon(std::string_view tag);

// The switch's setting in the cfg text: the value of the first DIPSWITCH port
// with its tag and mask, else the switch's default.
uint32_t CurrentDipValue(std::string_view cfg, const DipSwitch& sw);

struct DipChoice {
  std::string tag;
  uint32_t mask = 0;
  uint32_t default_value = 0;
  uint32_t value = 0;
};

// The cfg text with the DIPSWITCH ports of the chosen switches replaced: all
// their old ports (duplicates too) go, and one port line is added for each
// choice that differs from its default, inside the set's <input> element
// (made when missing). Text that is no MAME configuration becomes a new
// document; a document too incomplete to hold the lines only loses the old ports.
std::string ApplyDipChoices(std::string_view cfg, std::string_view set, const std::vector<DipChoice>& choices);

// MAME's cfg folder: "cfg" in MAME's folder.
std::string MameCfgFolder();

// The text of `<cfg_folder>\<set>.cfg`: empty when there is no such file.
// False when it exists but cannot be read: then nothing may be written over it.
bool ReadGameCfg(const std::string& cfg_folder, std::string_view set, std::string& text);

// Writes the choices into `<cfg_folder>\<set>.cfg`. They are applied to the
// file as it is now rather than as it was when the window opened, so that
// nothing MAME saved in between is undone. Nothing is written when the text
// does not change. Before the first change of an existing file a copy is kept
// as "<file>.korvo-backup". False when the file could not be read or written
// (it is then left as it was).
bool SaveDipChoices(const std::string& cfg_folder, std::string_view set, const std::vector<DipChoice>& choices);
