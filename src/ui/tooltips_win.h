// Tooltips for a window's controls.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// A tooltip window owned by `parent`, dark in the dark look.
HWND CreateTooltips(HWND parent);
// Quiet: the tip shown goes and none comes until it is let speak again (an
// open list or menu lies where a tip would).
void QuietTooltips(HWND tips, bool quiet);
// Shows `utf8_text` when the pointer rests on `control`; a second call for the
// same control replaces its text.
void AddTooltip(HWND tips, HWND control, const std::string& utf8_text);

// Shows `utf8_text` when the pointer rests on `rect` (client coordinates) of
// `window`; `id` tells the window's rectangles apart.
void AddRectTooltip(HWND tips, HWND window, UINT_PTR id, const RECT& rect, const std::string& utf8_text);

// Tips for the cells of a report list: `text` names what the cell under the
// pointer shows ("" for none), asked again whenever the pointer moves to
// another cell.
using CellTipText = std::function<std::string(int row, int column)>;
void AddCellTooltips(HWND tips, HWND list, CellTipText text);
