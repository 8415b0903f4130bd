// The game list: a report list view (id 102) with nine columns, a favourite
// star per row and a ROM status icon. It is a virtual list: it keeps only the
// GameList indices of its rows and answers the control's questions about a
// row (LVN_GETDISPINFOW) when the row is read, so a refill costs one item
// count whatever the number of rows. The rows are painted here, not by the
// list view. Which rows and in which order is game_filter.h; the window's
// commands are the main window's.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "base/text_buffer.h"
#include "catalogue/game_table.h"

struct Settings;

// The list is made hidden; its owner shows it.
HWND CreateGameListView(HWND parent, int id, const Settings& settings, const RECT& at);

// Shows new rows: `rows` are GameList indices in display order. The view reads
// `games` and `favorites` whenever it paints, so both must outlive the rows
// (the main window's list and settings do). The row of `selected_number` (a
// game number, 0 for none) is selected and focused again.
void FillGameListView(HWND list, const GameList& games, std::vector<int32_t> rows, const IdList& favorites,
                      int32_t selected_number, int32_t hidden_bits);
// True while a refill runs: its item-changed notifications are not the user's.
bool GameListViewFilling();
// The answer to the list's LVN_GETDISPINFOW (the parent forwards it): the
// cells' texts, the status image and the star of one row.
void AnswerGameListDisplayInfo(NMLVDISPINFOW* info);
// The status column's image of a game (an index of StatusImageList).
int StatusImageOf(const GameEntry& entry);

// The GameList index of the selected row, or -1.
int SelectedGameIndex(HWND list);
// The GameList index of a row, or -1.
int GameIndexOfRow(HWND list, int row);
// The row whose star is at a point of the list's client area, or -1.
int StarRowAt(HWND list, POINT client);
// Paints a row again after something it shows changed (its favourite).
void RedrawGameRow(HWND list, int row);
// The tooltip of a cell: what the status icon says, "" for other cells.
std::string GameListCellTip(HWND list, const GameList& games, int row, int column);

// After columns_hidden changed: hides and shows columns, refreshes the status
// icons. Clears the "Game" bit in the settings.
void ApplyColumnVisibility(HWND list, Settings& settings);
// Every column back to its width at creation (Reset Window Size), then
// hidden as the settings say.
void ResetColumnWidths(HWND list, Settings& settings);
// The sort arrow in the header.
void SetSortMark(HWND list, int column, bool ascending);
// Width rules while the user works with the header (drag and double-click of
// dividers); true when the notification was answered with *result.
bool GameListHeaderNotify(HWND list, const NMHDR* header, int32_t hidden_bits, LRESULT* result);
// The width the list needs to show its shown columns beside a vertical scroll
// bar without a sideways one (pixels); before the list is made (null), as the
// settings will make it.
int GameListNeededWidth(HWND list, const Settings& settings);
// The current widths into the settings (96-DPI units, shown columns only).
void StoreColumnWidths(HWND list, Settings& settings);
// Whether a point (screen coordinates) is on the list's header.
bool PointOnHeader(HWND list, POINT screen);
