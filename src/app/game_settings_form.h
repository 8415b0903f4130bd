// What the Game Settings window shows and how its controls turn back into a
// record: the rows of each tab, the BIOS choices MAME offers for the game,
// and the read-back. The window only arranges controls around this.
#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "options/machine_info.h"
#include "settings/game_settings.h"
#include "settings/game_settings_texts.h"

enum GameSettingsTab { kGameTabGeneral, kGameTabVideo, kGameTabAudio, kGameTabOther, kGameTabCount };
extern const char* const kGameSettingsTabNames[kGameTabCount];

// One row of label and choice list; `field` is the position it edits.
struct GameChoiceRow {
  GameSettingsTab tab;
  const char* label;
  GameChoiceList list;
  int GameSettingsChoices::*field;
};
// In the order the rows appear, tab by tab. The Other tab continues with the
// BIOS list, the Extra Arguments field and the DIP Switches button.
std::span<const GameChoiceRow> GameChoiceRows();

// BIOS sets of a listed machine in listing order; none when MAME did not list it.
BiosOptions BiosOptionsOf(const MachineInfo& machine);

struct GameSettingsForm {
  GameSettings shown;  // the game's record when it holds overrides, else a new one
  GameDisplayModes modes;
  BiosOptions bios;             // empty: the BIOS list holds only Game Default and is disabled
  GameSettingsChoices choices;  // the list positions that show `shown`
  int bios_position = 0;        // 0: Game Default
  bool BiosEnabled() const { return !bios.empty(); }
};

GameSettingsForm MakeGameSettingsForm(const GameSettingsList& list, int32_t game, const GameDisplayModes& modes,
                                      const BiosOptions& bios);

// The record that OK stores. `choices` holds the lists' positions and the
// typed extra arguments; its `bios` is ignored in favour of `bios_position`.
// A stored BIOS the list cannot show (MAME lists no BIOS sets, or not that
// one) is kept while the list stays at Game Default, like the resolution and
// volume the lists cannot show.
GameSettings ReadGameSettingsForm(const GameSettingsForm& form, GameSettingsChoices choices, int bios_position);
