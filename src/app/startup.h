// The window-free steps of start-up: carrying the earlier launcher's files
// over, the single-instance name, the command line and the screen modes.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "launch/screen_request.h"
#include "ui/layout_rect.h"

// Moves dravo-settings.cfg, dravo-games.cfg and dravo-combos.cfg to their
// korvo- names inside `folder` when the new name does not exist yet.
void MigrateEarlierLauncherFiles(const std::string& folder);

// "KORVO-" + the folder with `:` and `\` turned into `_` and lower-cased,
// cut at 590 UTF-16 units.
std::string SingleInstanceName(const std::string& launcher_folder);


struct CommandLine {
  std::string game;
  // A game was named, even as an empty text: a front-end that passes an empty
  // name gets the frontend mode's "no game" code rather than a window.
  bool game_named = false;
  ScreenRequest screen = ScreenRequest::FollowSettings;
};
// `args` are the arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

using ScreenRect = LayoutRect;
// A saved window rectangle when it is still on the screen (at least 100
// pixels of it across, its title bar reachable), brought wholly inside
// `work_area`, the work area of the monitor it is on; w 0 when it is not.
ScreenRect RestoredWindowRect(ScreenRect saved, ScreenRect virtual_screen, ScreenRect work_area);
// Where the main window goes: the saved rectangle as restored, or the
// default size scaled and centred in the work area.
ScreenRect MainWindowRect(bool separate_options, int dpi, ScreenRect work_area, ScreenRect virtual_screen,
                          ScreenRect saved);
