// Drop-down lists (combo boxes of the CBS_DROPDOWNLIST kind) in the dark
// palette, for systems that have no dark visual style for them (ThemeControl
// decides): the closed field drawn flat as the launcher's own drop-downs.
#pragma once
#include <windows.h>

void DarkDropList(HWND combo);
