// Process-wide values set once at start-up.
#pragma once
#include <string>

#include "base/display_modes.h"
#include "settings/game_settings.h"
#include "settings/settings.h"

struct AppState {
  std::string settings_path;
  bool first_run = false;
  DisplayModes display_modes;
  Settings settings;
  GameSettingsList game_settings;
};

AppState& App();
