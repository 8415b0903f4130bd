// Process-wide values set once at start-up.
#pragma once
#include <string>

#include "base/display_modes.h"
#include "settings/game_settings.h"
#include "settings/play_stats.h"
#include "settings/settings.h"

struct AppState {
  std::string settings_path;
  bool first_run = false;
  DisplayModes display_modes;  // asked for when first wanted: AppDisplayModes()
  Settings settings;
  GameSettingsList game_settings;
  PlayStats played;  // korvo-played.cfg
};

AppState& App();
