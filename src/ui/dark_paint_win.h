// Painting of the dark look where the system has no dark colours.
#pragma once
#include <windows.h>

void DarkTabs(HWND tab);
void DarkStatusBar(HWND status);
// Called first by the main window procedure for every message; false when
// it did not answer (always in the light look).
bool DarkMenuBarMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
