// Pieces shared by the option editor windows: the four-column list of the
// HLSL Settings and All MAME Options windows, and the work area's height that
// sizes them and the DIP Switches window.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "options/option_list_rows.h"
#include "ui/modal_dialog_ui_win.h"

// The work area's height in 96-dpi units.
int WorkAreaHeightUnits();

// A full-row-select list with the columns Group, Option, Value and Default
// (widths in 96-dpi units), drawn in the current look.
HWND AddOptionList(ModalDialog& d, int x, int y, int width, int height, int id, const int (&column_widths)[4]);
// The bottom row of both windows: "Edit Value…" and "Reset Value" at the
// left, "OK" (default) and "Cancel" at the right.
void AddOptionButtons(ModalDialog& d, int width, int height, int edit_id, int reset_id);
// Puts the texts into list row `index`, adding the row (with `key` as its
// item data) when `insert`.
void SetOptionListRow(HWND list, int index, const OptionRowTexts& texts, bool insert, LPARAM key = 0);
// Draws the rows whose item data is a row flagged in `dim` in the dim text
// colour; true when the notification was the list's custom draw.
bool DrawDimRows(const NMHDR* header, int list_id, const std::vector<bool>& dim, LRESULT* result);
// Adds an entry at the end of a drop-down list.
void AddComboEntry(HWND combo, const std::string& text);
// The selected row, or -1.
int SelectedListRow(HWND list);
// True for a double-click on a row of the list with id `list_id`.
bool IsRowDoubleClick(const NMHDR* header, int list_id);
