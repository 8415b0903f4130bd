// The texts the main window's status bar shows when no timed text is up.
#pragma once
#include <string>

#include "catalogue/game_table.h"

struct StatusFacts {
  bool loading = false;
  bool rescan = false;       // the loading asks MAME again (F5)
  bool has_list = false;
  bool mame_found = true;
  const GameList* list = nullptr;
  const GameEntry* selected = nullptr;
  bool selected_has_roms = true;
  std::string missing_zips;  // of the selected game, when its ROMs are missing
  bool own_settings = false; // the selected game has its own settings
  bool running = false;
  std::string running_title;
  std::string left_out;      // while running: "Left out for this MAME: ..." of this start, or empty
};

std::string NormalStatusText(const StatusFacts& facts);

// The suffix for a selected game with its own settings.
extern const char kOwnSettingsSuffix[];
