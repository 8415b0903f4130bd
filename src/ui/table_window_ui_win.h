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

struct ModalDialog;

// The report list the table window shows, for other tables in modal dialogs:
// full-row selection, double-buffered, themed. Sizes in 96-DPI units.
HWND AddTableList(ModalDialog& d, int x, int y, int width, int height, int id, DWORD extra_style = 0);
void AddTableColumn(HWND list, int index, const TableColumn& column);

void ShowTableWindow(HWND owner, const std::string& title, const TableColumn& first, const TableColumn& second,
                     const TableRows& rows);
