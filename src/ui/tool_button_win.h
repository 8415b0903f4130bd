// The toolbar's owner-drawn buttons with vector icons.
#pragma once
#include <windows.h>

HWND CreateToolButton(HWND parent, int command_id, int icon);
HWND CreateToolSeparator(HWND parent);
void SetToolChecked(HWND button, bool on);
bool IsToolChecked(HWND button);
// The parent's WM_DRAWITEM: false when the item is not a tool button or separator.
bool DrawToolItem(const DRAWITEMSTRUCT* item);
