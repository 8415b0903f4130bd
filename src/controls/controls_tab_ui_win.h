// The Controls tab's key and button mapping: the profile row (396-400), the
// mapping list (391) with Set Key, Set Pad, Clear and Defaults (392-395) and
// "Open MAME's Cfg Folder" (390). Changes stay in the process-wide mapping
// until the options are applied.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "controls/mapping_list_ui_win.h"
#include "controls/profile_row_ui_win.h"

// Creates the controls on the page (the page arranges them).
ControlsMappingWindows& CreateControlsMappingGroup(HWND page);
// The profile choice from `controls_profile` and the list from the mapping.
void FillControlsMappingGroup();

void ControlsTabCommand(int id, int code, HWND control);
bool ControlsTabNotify(NMHDR* header, LRESULT* result);

// Rewrites the cells of all 25 rows, then the profile buttons.
void RefreshControlsList();
