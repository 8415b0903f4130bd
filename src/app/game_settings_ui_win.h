// Game > Game Settings: one game's own values for a few options, each list
// starting with "Same As Global".
#pragma once
#include <windows.h>

#include <functional>

#include "catalogue/game_table.h"

constexpr char kGameSettingsTitle[] = "Game Settings";

// Shows the window for `entry` over `owner`. OK stores the game's record (or
// removes it when every choice follows the main settings) and saves
// korvo-games.cfg; Reset removes it and saves. True after OK or Reset, false
// after Cancel (nothing changed). The DIP Switches button calls
// `open_dip_switches` with the Game Settings window as the owner; without a
// function the button is disabled.
bool EditGameSettings(HWND owner, const GameEntry& entry,
                      const std::function<void(HWND dialog, const GameEntry&)>& open_dip_switches);
