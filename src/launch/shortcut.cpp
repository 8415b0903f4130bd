#include "launch/shortcut.h"

#include <unordered_map>

#include "base/paths.h"
#include "base/text_case.h"
#include "launch/mame_args.h"
#include "launch/mame_location.h"

std::string ShortcutFileName(std::string_view title) {
  std::string name;
  for (char c : title)
    if (std::string_view("\\/:*?\"<>|").find(c) == std::string_view::npos) name += c;
  return name;
}

std::vector<std::string> ShortcutFileNames(const GameList& games) {
  std::vector<std::string> names = ShortcutTitles(games);
  std::unordered_map<std::string, int> uses;
  for (size_t i = 0; i < games.size(); ++i) {
    names[i] = ShortcutFileName(names[i]);
    if (names[i].empty()) names[i] = games[i].set;  // a title of nothing but forbidden characters
    ++uses[LowerCaseText(names[i])];
  }
  for (size_t i = 0; i < games.size(); ++i)
    if (uses[LowerCaseText(names[i])] > 1) names[i] += " [" + games[i].set + "]";
  return names;
}

std::string ShortcutFileNameOf(const GameList& games, const GameEntry& entry) {
  // The entry as given, in its place among the others.
  GameList with = games;
  int index = FindGameIndexByNumber(with, entry.number);
  if (index < 0) {
    index = static_cast<int>(with.size());
    with.push_back(entry);
  } else {
    with[index] = entry;
  }
  return ShortcutFileNames(with)[index];
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
  plan.file = desktop + "\\" + ShortcutFileNameOf(games, entry) + kShortcutExtension;
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
