// Tooltips for a window's controls.
#pragma once
#include <windows.h>

#include <string>

// A tooltip window owned by `parent`, dark in the dark look.
HWND CreateTooltips(HWND parent);
// Shows `utf8_text` when the pointer rests on `control`; a second call for the
// same control replaces its text.
void AddTooltip(HWND tips, HWND control, const std::string& utf8_text);
