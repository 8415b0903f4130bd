// The texts the main window's status bar shows when no timed text is up.
#pragma once
#include <string>
#include <vector>

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
  int hidden_not_working = 0; // games View > Hide Games That Do Not Work leaves out
};

std::string NormalStatusText(const StatusFacts& facts);

// The suffix for a selected game with its own settings.
extern const char kOwnSettingsSuffix[];

// The one note for the launcher's files of which nothing could be read (file
// names without folder); each was kept under its name plus ".unreadable".
std::string UnreadableFilesText(const std::vector<std::string>& names);

// The box shown the first time in a run that the settings cannot be saved.
std::string SettingsNotSavedText(const std::string& launcher_folder);
extern const char kSettingsNotSavedTitle[];
