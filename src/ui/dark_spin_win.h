// The arrows of a number field (an up-down control) in the dark palette. No
// system offers a dark visual style for them, so the dark look paints them
// everywhere.
#pragma once
#include <windows.h>

// Vertical up-down controls only; others are left alone.
void DarkSpin(HWND spin);
