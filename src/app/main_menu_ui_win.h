// The menu bar, accelerators, menu ticks, the recent-games submenu and the
// list's pop-up menus. A chosen pop-up item is sent to the window as a command.
#pragma once
#include <windows.h>

#include <cstdint>

HMENU BuildMainMenu();
HACCEL BuildAccelerators();
void RefreshMenuStates(HMENU menu);
void RebuildRecentMenu();
void ShowGameContextMenu(POINT screen);
void ShowColumnMenu(POINT screen);
// The game number of a recent-menu command (600 + k), or 0.
int32_t RecentGameNumber(int id);
