// Ctrl+Tab and Ctrl+Shift+Tab (and Ctrl+Page Down / Up) switch the tabs of
// the window in front, as in the system's own tabbed dialogs; the pad's LB
// and RB press them. A message loop offers each message here before its
// dialog navigation.
#pragma once
#include <windows.h>

// The shown tab strip of a window (the first one found), or none.
HWND TabStripOf(HWND window);
// Selects the next (or previous) tab of the window's tab strip, as a click on
// it would; a control of the page that went hides, so the focus moves to the
// first control of the new one. False without tabs.
bool SwitchTabs(HWND window, bool back);
// True when the message was such a key and the tabs were switched.
bool SwitchTabsByKey(const MSG& msg);
