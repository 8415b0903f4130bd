#include "app/status_text.h"

#include "catalogue/game_list_loader.h"
#include "catalogue/rom_scan.h"

const char kOwnSettingsSuffix[] = "   |   This game has its own settings (Game > Game Settings)";

std::string NormalStatusText(const StatusFacts& f) {
  if (f.running) return "Playing: " + f.running_title + (f.left_out.empty() ? "" : "   |   " + f.left_out);
  if (f.loading) return GameListLoadingText(f.rescan);
  if (!f.has_list || !f.list) return "Ready";
  std::string text;
  if (!f.mame_found) {
    text = "mame.exe was not found (General tab > MAME Program)   |   " + std::to_string(f.list->size()) +
           " games listed";
  } else if (f.selected && !f.selected_has_roms && !f.missing_zips.empty()) {
    text = "Missing in the ROMs folder: " + f.missing_zips;
  } else {
    text = GameCountsText(*f.list);
    if (f.hidden_not_working > 0) text += "   |   " + std::to_string(f.hidden_not_working) + " that do not work hidden";
  }
  if (f.selected && f.own_settings) text += kOwnSettingsSuffix;
  return text;
}

std::string UnreadableFilesText(const std::vector<std::string>& names) {
  if (names.size() == 1)
    return "Could not read " + names[0] + ": it is kept as " + names[0] + ".unreadable and the defaults are used";
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return "Could not read " + list + ": each is kept with \".unreadable\" added to its name and the defaults are used";
}

const char kSettingsNotSavedTitle[] = "Settings Not Saved";

std::string SettingsNotSavedText(const std::string& launcher_folder) {
  return "Korvo cannot save its settings in " + launcher_folder +
         ": changes made now will be lost when it closes. Move Korvo to a folder you can write to.";
}
