// The game list in the main window: loading in the background, the ROM
// scan, the filter and search bars, the refill and the list's notifications.
#pragma once
#include <windows.h>

void StartLoading(bool rescan);
// kMsgNewGameList: takes the posted block (freed here, also while closing).
void TakeNewGameList(LPARAM block);
// kMsgDriverStatuses: what MAME said of how well it runs the sets.
void TakeDriverStatuses(LPARAM block);
// Before the first paint: a list that has already arrived (from the listing
// cache) is taken now, unless MAME is missing (that is said after the paint).
void TakeArrivedGameList();
void Refilter();
// The filter bars' choices made again from the list, and shown.
void RefreshFilterChoices();
// The filter bar's choices into the settings.
void StoreFilterChoices();
bool HandleGameListNotify(NMHDR* header, LRESULT* result);
// Shift+F10 or the menu key on the list: the selected game's menu, opened under its row, as a right click
// opens it under the pointer.
void ShowSelectedRowMenu();
// Rescans the ROM folders when they changed since the last scan.
void RescanRomsIfChanged();
// What the last audit found of each present set, for the status icons.
void RefreshAuditMarks();
// Lists and statuses still queued when the window goes are freed.
void FreePendingGameLists();
