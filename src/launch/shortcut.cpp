#include "launch/shortcut.h"

#include "base/paths.h"
#include "launch/mame_args.h"
#include "launch/mame_location.h"

std::string ShortcutFileName(std::string_view title) {
  std::string name;
  for (char c : title)
    if (std::string_view("\\/:*?\"<>|").find(c) == std::string_view::npos) name += c;
  return name;
}

bool PlanDesktopShortcut(const Settings& settings, const GameSettingsList& game_settings, const GameList& games,
                         const GameEntry& entry, const std::string& desktop, ShortcutPlan& plan,
                         std::string& reason) {
  if (!LocateMameProgram(settings, plan.target)) {
    reason = "mame.exe was not found (General tab > MAME Program)";
    return false;
  }
  plan.working_folder = MameFolder(settings);
  LaunchRequest request;
  request.screen_mode = 1;
  request.for_shortcut = 1;
  ArgList args;
  BuildMameArgs(settings, game_settings, games, entry.number, &request, args);
  plan.arguments = JoinArgs(args);
  std::string name = ShortcutFileName(ShortcutTitle(games, entry));
  if (name.empty()) name = entry.set;  // a title of nothing but forbidden characters
  plan.file = desktop + "\\" + name + kShortcutExtension;
  plan.icon = LauncherProgramPath();
  plan.description = entry.title;
  return true;
}

bool CreateDesktopShortcut(const Settings& settings, const GameSettingsList& game_settings, const GameList& games,
                           const GameEntry& entry, std::string& reason) {
  std::optional<std::string> desktop = DesktopFolder();
  ShortcutPlan plan;
  // mame.exe is looked for first: without it there is nothing to point at.
  if (!PlanDesktopShortcut(settings, game_settings, games, entry, desktop.value_or(""), plan, reason)) return false;
  if (!desktop) {
    reason = "Desktop folder not found";
    return false;
  }
  return WriteShortcutFile(plan, reason);
}
