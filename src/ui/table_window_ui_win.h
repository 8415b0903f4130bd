// A modal two-column table with an OK button (Keyboard Shortcuts, the combo
// legend). Widths in 96-DPI units; a row's second text may be empty.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct TableColumn {
  std::string title;
  int width = 0;
};
using TableRows = std::vector<std::pair<std::string, std::string>>;

void ShowTableWindow(HWND owner, const std::string& title, const TableColumn& first, const TableColumn& second,
                     const TableRows& rows);
