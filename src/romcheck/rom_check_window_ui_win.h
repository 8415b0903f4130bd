// The Check ROM Set window: the report of one game's zips and MAME's own
// verdict, built on a worker thread while the window stays responsive.
#pragma once
#include <windows.h>

#include "catalogue/game_table.h"

void OpenRomCheckWindow(HWND owner, const GameList& games, const GameEntry& entry);
