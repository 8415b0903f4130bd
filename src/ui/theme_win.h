// The light or dark look of every window: the theme flag, the platform's dark
// mode for title bars, menus and common controls, and the palette as GDI colours.
#pragma once
#include <windows.h>

#include "ui/theme_colours_win.h"

// Sets the look for the run. Called at start-up before any window exists;
// calling it again switches the flag (tests use both looks in one process).
void ApplyTheme(bool dark);

// A visual style of the platform's dark mode ("DarkMode_Explorer"...) for a
// window, where the platform has one.
void DarkVisualStyle(HWND window, const wchar_t* style);
// A dark title bar for a top-level window (dark look only, where the platform
// has a dark mode).
void DarkTitleBar(HWND window);
// The dark menu bar of a window being created, from its WM_NCCREATE (dark look
// only): where the platform has no dark mode of its own, the bar's items are
// made owner-drawn at once, rather than at the first paint, where it costs a
// second one.
void DarkMenuBar(HWND window);
// Dark mode and dark painting for a control by its class name (dark look only):
// "BUTTON", "EDIT", "COMBOBOX", "SCROLLBAR", "SysListView32" (with its header).
// A list view's header is painted flat in either look.
void ThemeControl(HWND control, const wchar_t* class_name);
// The scroll bars of a window that scrolls itself (a page, a pop-up list) in
// the dark look: the platform's dark mode, or painted where there is none.
void DarkScrolling(HWND window);
