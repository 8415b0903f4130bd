// The Combos tab of the options area: the 20 combo rows with their triggers,
// the character move lists, the sequence editor with its pad, the Step and
// Charge times, the legend and the help.
//
// The main window wires it up:
//   - SetCombosMessageTarget(main) before the page is created: list clicks post
//     WM_APP+4 there (row in the low 16 bits of wParam, kind in the high 16
//     bits: kComboTriggerKey or kComboTriggerPad);
//   - CreateCombosPage(page) from the page builder;
//   - CombosPageMessage in the page's message hook (layout on WM_SIZE, the
//     pad's owner drawing);
//   - commands 700-749 to CombosTabCommand, the list's WM_NOTIFY to
//     CombosTabNotify, WM_APP+4 to CaptureComboTrigger;
//   - CancelCombosPage from Cancel: the rows go back to korvo-combos.cfg.
// Every edit changes the rows of Combos() at once; ApplyOptions writes them
// (SaveCombos takes the Step and Charge boxes through the hook installed here).
#pragma once
#include <windows.h>
#include <commctrl.h>

constexpr UINT kComboTriggerMessage = WM_APP + 4;  // the main window's "capture a combo trigger"
constexpr int kComboTriggerKey = 6, kComboTriggerPad = 7;

// Command ids of the tab (700-749).
enum : int {
  kIdComboList = 700,
  kIdComboHowItWorks = 701,
  kIdComboLegend = 702,
  kIdComboStep = 703,
  kIdComboCharge = 704,
  kIdComboLoadCharacter = 705,
  kIdComboCharacter = 706,
  kIdComboMove = 707,
  kIdComboSequence = 708,
  kIdComboPlaysFor = 709,
  kIdComboPlayerSide = 710,
  kIdComboClearSlot = 711,
  kIdComboDefaults = 712,
  kIdComboHint = 713,
  kIdComboPadFirst = 720,  // the 26 pad buttons in their table's order
  kIdComboPadLast = 745,
};

void SetCombosMessageTarget(HWND main);
// Builds the controls on a "KorvoPage", loads the rows (LoadCombos) and
// returns the smallest content height in pixels (the list at its minimum).
int CreateCombosPage(HWND page);
// Shows the rows and times of Combos() (also after they were loaded again).
void FillCombosPage();
// Cancel: the edits since the last save are dropped by reading korvo-combos.cfg again.
void CancelCombosPage();
void CombosTabCommand(int id, int code, HWND control);
bool CombosTabNotify(NMHDR* header, LRESULT* result);
// Runs the key or pad capture for a row (0-19) and stores what was pressed.
void CaptureComboTrigger(HWND owner, int row, int kind);
// The page's messages: true when answered with *result.
bool CombosPageMessage(HWND page, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
