// Selected rows of the system's list views in the dark palette. Where the
// system fills a selected row with its own light colours, the list's parent
// answers the row's custom draw with the look's selection colours instead,
// after the parent's own answer (which may colour other rows).
#pragma once
#include <windows.h>

// Dark look only; lists that paint their rows themselves never ask.
void DarkListSelection(HWND list);
