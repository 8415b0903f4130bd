// What a screen reader finds in the toolbar: one push button per button,
// named as its tooltip, with its checked and unavailable states, and the
// separators between the groups; its default action clicks the button.
#pragma once
#include <windows.h>

// Answers the bar's WM_GETOBJECT for its client area; false for other objects.
bool ToolBarGetObject(HWND bar, WPARAM wparam, LPARAM lparam, LRESULT* result);
