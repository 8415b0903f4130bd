// The toolbar: owner-drawn push buttons with vector icons, and separators.
// The parent forwards its WM_DRAWITEM requests to DrawToolItem.
#pragma once
#include <windows.h>

// A button sending WM_COMMAND `command_id`, showing icon `icon` (IconIndex).
// The parent sizes and places it.
HWND CreateToolButton(HWND parent, int command_id, int icon);
HWND CreateToolSeparator(HWND parent);

void SetToolChecked(HWND button, bool on);
bool IsToolChecked(HWND button);

// Draws a tool button or separator; false when the item is neither.
bool DrawToolItem(const DRAWITEMSTRUCT* item);
