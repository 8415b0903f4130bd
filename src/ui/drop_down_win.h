// A drop-down list field ("KorvoDropDown"): one window that draws the field
// in both looks and answers the combo box messages its owner uses
// (CB_ADDSTRING, CB_RESETCONTENT, CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL,
// CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETDROPPEDSTATE, CB_SHOWDROPDOWN, and
// WM_GETTEXT for the chosen entry). It tells its parent CBN_DROPDOWN,
// CBN_SELCHANGE and CBN_CLOSEUP as a drop-down list combo box does, and is
// worked the same way: a click or F4 or Alt+Down opens the list, the arrow
// keys, Page Up and Down, Home, End, a letter and the mouse wheel choose.
//
// Why not a combo box: a combo box makes its list, a window of its own on the
// screen, when it is made. Under Wine such a window costs as much to make as
// a whole toolbar; here the list is made the first time it opens.
#pragma once
#include <windows.h>

HWND CreateDropDown(HWND parent, int control_id, const RECT& at, bool visible);
// What a screen reader calls the field (UTF-8), e.g. "Hardware Filter".
void SetDropDownName(HWND drop_down, const char* name);
// Whether a window is such a field.
bool IsDropDown(HWND window);
// The open list's window, or none while it is closed.
HWND DropDownList(HWND drop_down);
