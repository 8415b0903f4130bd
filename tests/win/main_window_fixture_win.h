// The real main window in a scratch launcher folder with made-up ROM zips and its settings loaded.
#pragma once

#include "app/main_window_proc_ui_win.h"
#include "app/main_window_ui_win.h"
#include "scratch_launcher_win.h"

// A file among the recordings of MAME 0.251 (tests/fixtures/mame0251).
std::string FixturePath(const std::string& relative);

// The first memory fault the tests' allocator saw since the last call ("" for none); unset where it is not linked.
inline std::string (*g_heap_fault)() = nullptr;

struct MainWindowFixture : ScratchLauncher {
  explicit MainWindowFixture(const std::string& settings_text = "", bool with_mame = true);
  ~MainWindowFixture();

  // Creates the window and waits for the game list; a `dpi` of 0 takes the screen's, as the launcher does.
  bool Open(int dpi = 96);
  void Close();  // WM_CLOSE, as the user closes it
  // A command as a person gives it: a menu item, a toolbar button, a key or a button of the window must offer it.
  void Command(int id, int code = 0);
  int Rows() const { return ListView_GetItemCount(Main().list); }
  std::string CellText(int row, int column) const {
    wchar_t text[512] = L"";
    ListView_GetItemText(Main().list, row, column, text, 512);
    return Utf16ToUtf8(text);
  }
  std::string StatusText() const { return ControlText(Main().status); }
  void SelectRow(int row) { SelectListRow(Main().list, row); }
  int SelectedRow() const { return SelectedListRow(Main().list); }
  int StatusImage(const std::string& set) const {  // the icon of a game's row
    LVITEMW item = {LVIF_IMAGE, RowOfGame(set), 4};
    ListView_GetItem(Main().list, &item);
    return item.iImage;
  }
  int RowOfGame(const std::string& set) const;
  // Main-window pixels the screen shows otherwise than a full repaint draws them, and where; "" when none is stale.
  std::string StalePixels() const;
  // A snapshot recorded from MAME (a fixture) put into the snap folder as <relative>, written `minutes_ago`.
  void AddSnapshot(const std::string& fixture, const std::string& relative, int minutes_ago) const;
};
