// The Controls tab's key and button mapping: the profile row (396-400), the
// mapping list (391) with Set Key, Set Pad, Clear and Defaults (392-395) and
// "Open MAME's Cfg Folder" (390). Changes stay in the process-wide mapping
// until the options are applied.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>

struct ControlsMappingWindows {
  HWND profile_label = nullptr, profile = nullptr;
  HWND save = nullptr, save_as = nullptr, rename = nullptr, remove = nullptr;
  HWND help = nullptr, list = nullptr;
  HWND set_key = nullptr, set_pad = nullptr, clear = nullptr, defaults = nullptr, open_cfg = nullptr;
};
ControlsMappingWindows& MappingWindows();

// Creates the controls on the page (the page arranges them).
ControlsMappingWindows& CreateControlsMappingGroup(HWND page);
// The profile choice from `controls_profile` and the list from the mapping.
void FillControlsMappingGroup();

void ControlsTabCommand(int id, int code, HWND control);
bool ControlsTabNotify(NMHDR* header, LRESULT* result);

// Rewrites the cells of all 25 rows, then the profile buttons.
void RefreshControlsList();
// Refills the Profile drop-down and chooses `name` (None without one).
void RefreshProfileList(const std::optional<std::string>& name);
// Rename and Delete need a profile; Save also a difference from it.
void UpdateProfileButtons();
// The profile row's commands (396-400).
void ProfileRowCommand(int id, int code);
