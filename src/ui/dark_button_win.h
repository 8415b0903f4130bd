// Push buttons in the dark palette, for systems that have no dark visual
// style for them (ThemeControl decides).
#pragma once
#include <windows.h>

// Text push buttons only; other buttons are left alone.
void DarkPushButton(HWND button);
