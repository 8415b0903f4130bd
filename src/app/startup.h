// The window-free steps of start-up: carrying the earlier launcher's files
// over, the single-instance name, the command line and the screen modes.
#pragma once
#include <string>
#include <utility>
#include <vector>

// Moves dravo-settings.cfg, dravo-games.cfg and dravo-combos.cfg to their
// korvo- names inside `folder` when the new name does not exist yet.
void MigrateEarlierLauncherFiles(const std::string& folder);

// "KORVO-" + the folder with `:` and `\` turned into `_` and lower-cased,
// cut at 590 UTF-16 units.
std::string SingleInstanceName(const std::string& launcher_folder);

enum class ScreenRequest { FollowSettings, FullScreen, Window };

struct CommandLine {
  std::string game;
  // A game was named, even as an empty text: a front-end that passes an empty
  // name gets the frontend mode's "no game" code rather than a window.
  bool game_named = false;
  ScreenRequest screen = ScreenRequest::FollowSettings;
};
// `args` are the arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

struct DisplayMode {
  int width = 0, height = 0, bits = 0;
  bool operator==(const DisplayMode&) const = default;
};
using DisplayModes = std::vector<std::pair<int, int>>;
// Distinct modes of at least 640x480 at 16 bits, sorted; the fixed list when none qualifies.
DisplayModes CollectDisplayModes(const std::vector<DisplayMode>& reported);

// Where the main window goes: the default size (scaled and centred in the
// work area) or the saved rectangle when it is still on screen.
struct ScreenRect {
  int x = 0, y = 0, w = 0, h = 0;
};
ScreenRect MainWindowRect(bool separate_options, int dpi, ScreenRect work_area, ScreenRect virtual_screen,
                          ScreenRect saved);
