// Desktop shortcuts that start mame.exe directly, full screen, with the
// game's complete argument list: they need neither the launcher nor its
// plugins at play time.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/game_table.h"
#include "settings/game_settings.h"
#include "settings/settings.h"

struct ShortcutPlan {
  std::string file;            // full path of the shortcut file
  std::string target;          // mame.exe
  std::string arguments;       // the joined shortcut argument list
  std::string working_folder;  // MAME's folder
  std::string icon;            // the launcher's own program (icon 0)
  std::string description;     // the game's title
};

// A title made usable as a file name: every one of \ / : * ? " < > | is removed.
std::string ShortcutFileName(std::string_view title);

// The shortcut file name (without extension) of every game of the list, by
// list position: ShortcutFileName of its ShortcutTitle, or the set name when
// nothing is left. Names that would still meet another game's (ignoring
// case, as the file system does) get the set name added, " [set]", so that
// one game's shortcut never replaces another's.
std::vector<std::string> ShortcutFileNames(const GameList& games);
std::string ShortcutFileNameOf(const GameList& games, const GameEntry& entry);

// Works out the shortcut for a game on `desktop`; false with the reason when
// mame.exe cannot be found.
bool PlanDesktopShortcut(const Settings& settings, const GameSettingsList& game_settings, const GameList& games,
                         const GameEntry& entry, const std::string& desktop, ShortcutPlan& plan,
                         std::string& reason);

// Plans and writes the shortcut on the user's desktop, replacing one of the
// same name; false with the reason for the user.
bool CreateDesktopShortcut(const Settings& settings, const GameSettingsList& game_settings, const GameList& games,
                           const GameEntry& entry, std::string& reason);

// The platform side (shortcut_win.cpp: a shell link; shortcut_posix.cpp: a
// desktop entry file with the same content).
std::optional<std::string> DesktopFolder();
std::string LauncherProgramPath();
extern const char kShortcutExtension[];
bool WriteShortcutFile(const ShortcutPlan& plan, std::string& reason);
