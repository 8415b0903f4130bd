// The DIP Switches window of one game, modal over the Game Settings window:
// one drop-down list per switch MAME lists for the set, showing the setting
// in the game's cfg file; OK writes the choices back into that file.
#pragma once
#include <windows.h>

#include "catalogue/game_table.h"

void OpenDipSwitches(HWND owner, const GameEntry& entry);
