// Push buttons and check boxes in the dark palette, for systems that have no
// dark visual style for them (ThemeControl decides).
#pragma once
#include <windows.h>

// Text push buttons and check boxes only; other buttons are left alone.
void DarkButton(HWND button);
