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
  }
  if (f.selected && f.own_settings) text += kOwnSettingsSuffix;
  return text;
}
