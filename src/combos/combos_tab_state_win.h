// What the Combos tab's window files share: its controls, the selected row
// and the guard that tells the program's own filling of a box from an edit.
#pragma once
#include <windows.h>

#include <string>

#include "combos/combo_rows.h"

namespace combos_tab {

constexpr size_t kReadableSize = 400;  // what the Sequence box and the cells show at most

struct CombosTab {
  HWND page = nullptr, target = nullptr, tips = nullptr;
  HWND intro = nullptr, how = nullptr, legend = nullptr;
  HWND step_label = nullptr, step = nullptr, charge_label = nullptr, charge = nullptr;
  HWND load_label = nullptr, load = nullptr, list = nullptr;
  HWND character_label = nullptr, character = nullptr, move_label = nullptr, move = nullptr;
  HWND sequence_label = nullptr, sequence = nullptr;
  HWND plays_for_label = nullptr, plays_for = nullptr, side_label = nullptr, side = nullptr;
  HWND clear = nullptr, defaults = nullptr, hint = nullptr;
  int row = -1;          // the selected row, or -1
  bool filling = false;  // the program is filling the boxes: their changes are not edits
};
extern CombosTab tab;

// Marks the boxes as being filled by the program for the lifetime of the object.
class Filling {
 public:
  Filling() : was_(tab.filling) { tab.filling = true; }
  ~Filling() { tab.filling = was_; }

 private:
  bool was_;
};

ComboRow* SelectedRow();

// Controls of the page, with the shared font and the look applied.
HWND Make(const wchar_t* window_class, const std::string& text, DWORD style, int id, DWORD ex_style = 0);
void AddChoice(HWND box, const std::string& text);
int Choice(HWND box);
void Choose(HWND box, int index);
void SetText(HWND window, const std::string& utf8);
std::string TextOf(HWND window);

// combos_list_ui_win.cpp: the 20 rows.
void CreateList();
void RefreshList();
// Selects a row (-1: none) and shows it in the editor.
void SelectRow(int row);

// combos_editor_ui_win.cpp: the boxes below the list.
void ShowTimes();
void TakeTimes();
void FillMoveBox(int side, int chosen);
void FillEditor();
int RowSide();
void TakeSequenceBox();
void PressPad(const char* token);
void LoadCharacter();
void ChooseMove();
void ChangeSide();

}  // namespace combos_tab
